#include "ui/reportbox.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTextBlock>
#include <QTextDocument>

#include <optional>

namespace {

class ReportLayout : public QPlainTextDocumentLayout {
public:
    ReportLayout(QTextDocument* document, const ReportBox& box) : QPlainTextDocumentLayout(document), box_(box) {}

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override
    {
        const QSizeF sizeBefore = documentSize();
        {
            // The base lays the change out and asks for a repaint of everything; that request
            // is replaced by a narrower one below.
            const QSignalBlocker quiet(this);
            QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
        }
        // The document counts the new blocks' lines before the layout hears of them, so the
        // size alone does not tell whether the scroll bar must follow.
        const int blocks = document()->blockCount();
        if (blocks != blocks_ || documentSize() != sizeBefore) {
            Q_EMIT documentSizeChanged(documentSize());
        }
        blocks_ = blocks;

        // Lines above the change keep their place as long as the change starts at or below
        // the first line shown; everything from the changed block down may have moved.
        const QTextBlock changed = document()->findBlock(from);
        const QTextBlock top = box_.FirstShownBlock();
        const QRectF geometry = changed.isValid() && top.isValid() && changed.blockNumber() >= top.blockNumber()
                                    ? box_.BlockGeometry(changed)
                                    : QRectF();
        if (geometry.isValid()) {
            Q_EMIT update(QRectF(0., geometry.top(), 1e9, 1e9));
        } else {
            requestUpdate();
        }
    }

private:
    const ReportBox& box_;
    int blocks_ = 1;
};

// Every line a run adds changes the bar's range. Once the thumb is down to its smallest size
// the bar looks the same before and after, and repainting it costs more than the lines.
class ReportScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange change) override
    {
        if (change == SliderRangeChange && painted_ && *painted_ == Current()) {
            return;
        }
        QScrollBar::sliderChange(change);
    }

    void paintEvent(QPaintEvent* event) override
    {
        painted_ = Current();
        QScrollBar::paintEvent(event);
    }

private:
    struct Look {
        QRect thumb;
        bool atMinimum = false;
        bool atMaximum = false;
        bool enabled = false;
        bool operator==(const Look&) const = default;
    };

    Look Current() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
                value() == minimum(), value() == maximum(), isEnabled()};
    }

    std::optional<Look> painted_;
};

} // namespace

ReportBox::ReportBox(QWidget* parent) : QPlainTextEdit(parent)
{
    auto* doc = new QTextDocument(this);
    doc->setDocumentLayout(new ReportLayout(doc, *this));
    setDocument(doc);
    setVerticalScrollBar(new ReportScrollBar(Qt::Vertical, this));
}
