#include "ui/fonts.h"

#include "design/controltable.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void InstallFontSubstitutes()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QStringList installed = QFontDatabase::families();
#else
    const QStringList installed = QFontDatabase().families();
#endif
    for (const FontSubstitute& s : FontSubstitutes()) {
        if (installed.contains(QLatin1String(s.family), Qt::CaseInsensitive)) {
            continue;
        }
        QStringList available;
        for (const char* candidate : s.candidates) {
            if (installed.contains(QLatin1String(candidate), Qt::CaseInsensitive)) {
                available << QLatin1String(candidate);
            }
        }
        QFont::insertSubstitutions(QLatin1String(s.family), available);
    }
}
