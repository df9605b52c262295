#include "gui/window/PresetHistory.h"

#include <QUndoStack>

namespace {
// Two presets are the same edit state when they build the same bytes.
bool sameBytes(PresetImage a, PresetImage b)
{
    a.buildImage();
    b.buildImage();
    return a.image() == b.image();
}
} // namespace

class PresetHistory::Step : public QUndoCommand
{
public:
    Step(PresetHistory &history, const PresetImage &before, const PresetImage &after,
         const QString &text, int mergeId)
        : QUndoCommand(text), history(history), before(before), after(after), mergeId(mergeId)
    {
    }

    int id() const override { return mergeId; }

    void undo() override { history.restore(before); }

    // The edit itself is already in place when the step is pushed.
    void redo() override
    {
        if (!firstRedo)
            history.restore(after);
        firstRedo = false;
    }

    bool mergeWith(const QUndoCommand *other) override
    {
        after = static_cast<const Step *>(other)->after;
        // Typed and erased again: no step at all.
        setObsolete(sameBytes(before, after));
        return true;
    }

private:
    PresetHistory &history;
    const PresetImage before;
    PresetImage after;
    const int mergeId;
    bool firstRedo = true;
};

PresetHistory::PresetHistory(QObject *parent) : QObject(parent), undoStack(new QUndoStack(this)) {}

bool PresetHistory::isModified() const
{
    return !undoStack->isClean();
}

void PresetHistory::reset(const PresetImage &preset)
{
    undoStack->clear();
    undoStack->setClean();
    current = preset;
}

void PresetHistory::record(const PresetImage &edited, const QString &text, int mergeId)
{
    if (sameBytes(current, edited))
        return;
    auto *step = new Step(*this, current, edited, text, mergeId);
    current = edited;
    undoStack->push(step);
}

void PresetHistory::setClean()
{
    undoStack->setClean();
}

bool PresetHistory::holds(const PresetImage &preset) const
{
    return sameBytes(current, preset);
}

void PresetHistory::restore(const PresetImage &preset)
{
    current = preset;
    emit restoreRequested(preset);
}
