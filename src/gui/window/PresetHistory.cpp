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
        : QUndoCommand(text), m_history(history), m_before(before), m_after(after),
          m_mergeId(mergeId)
    {
    }

    int id() const override { return m_mergeId; }

    void undo() override { m_history.restore(m_before); }

    // The edit itself is already in place when the step is pushed.
    void redo() override
    {
        if (!m_firstRedo)
            m_history.restore(m_after);
        m_firstRedo = false;
    }

    bool mergeWith(const QUndoCommand *other) override
    {
        m_after = static_cast<const Step *>(other)->m_after;
        // Typed and erased again: no step at all.
        setObsolete(sameBytes(m_before, m_after));
        return true;
    }

private:
    PresetHistory &m_history;
    const PresetImage m_before;
    PresetImage m_after;
    const int m_mergeId;
    bool m_firstRedo = true;
};

PresetHistory::PresetHistory(QObject *parent) : QObject(parent), m_undoStack(new QUndoStack(this))
{
}

bool PresetHistory::isModified() const
{
    return !m_undoStack->isClean();
}

void PresetHistory::reset(const PresetImage &preset)
{
    m_undoStack->clear();
    m_undoStack->setClean();
    m_current = preset;
}

void PresetHistory::record(const PresetImage &edited, const QString &text, int mergeId)
{
    if (sameBytes(m_current, edited))
        return;
    auto *step = new Step(*this, m_current, edited, text, mergeId);
    m_current = edited;
    m_undoStack->push(step);
}

void PresetHistory::setClean()
{
    m_undoStack->setClean();
}

bool PresetHistory::holds(const PresetImage &preset) const
{
    return sameBytes(m_current, preset);
}

void PresetHistory::restore(const PresetImage &preset)
{
    m_current = preset;
    emit restoreRequested(preset);
}
