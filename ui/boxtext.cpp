#include "ui/boxtext.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

QString ToBoxText(std::string_view text)
{
    QString box = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    box.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // A lone CR breaks the line as well: the box has no other way to keep it.
    box.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return box;
}

std::string FromBox(const QPlainTextEdit& box)
{
    // Block by block rather than toPlainText(), which would turn no-break spaces into blanks.
    QString text;
    const QTextDocument* doc = box.document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin()) {
            text += QLatin1String("\r\n");
        }
        text += block.text();
    }
    // Shift+Enter puts a line separator inside a paragraph; to the user it is a line break.
    text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return text.toStdString();
}

void AppendToBox(QPlainTextEdit& box, std::string_view piece)
{
    // Extends the text in place: a rewrite of the whole box for every piece grows with the
    // square of the text's length. Like a rewrite, it is nothing the user can undo; keeping
    // undo steps for thousands of lines would only cost time.
    QTextDocument* doc = box.document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor end(doc);
    end.movePosition(QTextCursor::End);
    end.insertText(ToBoxText(piece));
    doc->setUndoRedoEnabled(undo);
}

void SetBoxText(QPlainTextEdit& box, std::string_view text)
{
    // A run starts by writing the texts a fresh window already shows; when the box holds
    // exactly that, from its top, with the cursor at the start, writing it changes nothing
    // the user could see, and repainting it would only cost time.
    const QString boxText = ToBoxText(text);
    const QTextCursor cursor = box.textCursor();
    if (box.document()->blockCount() == boxText.count(QLatin1Char('\n')) + 1 && cursor.position() == 0 &&
        !cursor.hasSelection() && box.verticalScrollBar()->value() == 0 && FromBox(box) == text) {
        return;
    }
    box.setPlainText(boxText);
}
