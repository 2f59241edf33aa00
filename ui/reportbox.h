// The multi-line boxes of the reports. A run extends them far below what they show; Qt's
// plain-text layout repaints the whole box for every such change, so the box here repaints
// only from the first changed line down, and nothing when that line is out of view.
#pragma once

#include <QPlainTextEdit>
#include <QTextBlock>

class ReportBox : public QPlainTextEdit {
public:
    explicit ReportBox(QWidget* parent = nullptr);

    // The block's rectangle in the coordinates the box's repaint requests use.
    QRectF BlockGeometry(const QTextBlock& block) const { return blockBoundingGeometry(block); }
    QTextBlock FirstShownBlock() const { return firstVisibleBlock(); }
};
