#include "ui/reportbox.h"

#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>

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
        if (documentSize() != sizeBefore) {
            Q_EMIT documentSizeChanged(documentSize());
        }

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
};

} // namespace

ReportBox::ReportBox(QWidget* parent) : QPlainTextEdit(parent)
{
    auto* doc = new QTextDocument(this);
    doc->setDocumentLayout(new ReportLayout(doc, *this));
    setDocument(doc);
}
