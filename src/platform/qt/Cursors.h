#pragma once
// Implements: the stock cursors the program uses: arrow, two magnifiers, open
//   and closed hands.
// Leaves out: the other stock cursors, cursors from pictures, hiding the
//   cursor.
//
// The stock mouse cursors the program uses. Qt has no magnifier cursors, so
// those two are drawn by the platform layer.
#include <QCursor>

namespace vantrel {

enum class StockCursor { StandardPointer, MagnifyLarger, MagnifySmaller, HandOpen, HandClosed };

QCursor ToQCursor(StockCursor cursor);

}  // namespace vantrel
