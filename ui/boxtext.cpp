#include "ui/boxtext.h"

#include <QPlainTextEdit>
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
