#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <initializer_list>

void InstallFontSubstitutes()
{
    struct Substitute {
        const char* family;
        std::initializer_list<const char*> candidates;
    };
    // Generic fallbacks (DejaVu Sans among them) are too wide for the captions.
    const Substitute substitutes[] = {
        {"MS Sans Serif", {"Liberation Sans", "Arial", "Arimo", "Nimbus Sans"}},
        {"Courier", {"Liberation Mono", "Courier New", "Cousine", "Nimbus Mono PS"}},
    };
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QStringList installed = QFontDatabase::families();
#else
    const QStringList installed = QFontDatabase().families();
#endif
    for (const Substitute& s : substitutes) {
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
