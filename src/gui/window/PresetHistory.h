#pragma once

#include "core/preset/PresetImage.h"

#include <QObject>

class QUndoStack;

// Undo and redo by whole presets: a preset is small enough (1760 bytes and the
// model behind them, shared between copies until changed) for every step to
// keep the preset before and after one user edit. The stack's clean state is
// the window's modified mark: it is set clean wherever the preset matches a
// file or the unit, so undoing back to that point clears the mark again.
class PresetHistory : public QObject
{
    Q_OBJECT
public:
    explicit PresetHistory(QObject *parent = nullptr);

    QUndoStack *stack() const { return m_undoStack; }
    bool isModified() const;

    // Forgets every step: `preset` is what the window now holds, and clean.
    void reset(const PresetImage &preset);
    // Records one user edit, from the state last recorded to `edited`, unless
    // it changed no byte. A step follows the one before it into one undo step
    // when both carry the same `mergeId` (not -1) and no save came between.
    void record(const PresetImage &edited, const QString &text, int mergeId = -1);
    void setClean();
    // Whether the state last recorded builds the same bytes as `preset`.
    bool holds(const PresetImage &preset) const;

signals:
    // Undo or redo: the window puts this preset in place and reloads its views.
    void restoreRequested(const PresetImage &preset);

private:
    class Step;
    void restore(const PresetImage &preset);

    QUndoStack *m_undoStack = nullptr;
    PresetImage m_current;
};
