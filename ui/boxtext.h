// A multi-line text box stores paragraphs; the report texts break lines with CR LF. These
// turn one into the other so that what was written is read back exactly.
#pragma once

#include <QString>

#include <string>
#include <string_view>

class QPlainTextEdit;

QString ToBoxText(std::string_view text);
std::string FromBox(const QPlainTextEdit& box);
void AppendToBox(QPlainTextEdit& box, std::string_view piece);
// Replaces the box's text, showing it from its top, as setPlainText does.
void SetBoxText(QPlainTextEdit& box, std::string_view text);
