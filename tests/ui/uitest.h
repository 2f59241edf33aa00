// Shared by the window tests: the offscreen platform unless one is set (on Windows, its own),
// the program's own style and fonts, a fresh shown window per test, and closing a modal box
// the test opened.
#pragma once

#include "ui/application.h"
#include "ui/frmtripart.h"

#include <QApplication>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Before the application object exists, as the program does it. On Windows the tests use
// Windows' own platform, the only one the program's static Qt has.
inline void PrepareTestApplication()
{
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    PrepareApplication();
}

template <class Window = frmtripart>
std::unique_ptr<Window> ShownWindow()
{
    auto window = std::make_unique<Window>();
    window->SetTerminator([] { QFAIL("the program was ended"); });
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        return nullptr;
    }
    window->activateWindow();
    QTest::qWaitForWindowActive(window.get());
    return window;
}

template <class T = QWidget>
T* Control(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

// Waits for the next modal box, hands it to `inspect`, then closes it. The watch ends with
// the returned timer, so that a box that never opened cannot leave it running into the next
// test.
[[nodiscard]] inline std::unique_ptr<QTimer> WhenModalBoxOpens(std::function<void(QMessageBox&)> inspect)
{
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(5);
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [timer = timer.get(), inspect = std::move(inspect)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        timer->stop();
        inspect(*box);
        box->done(QMessageBox::Ok);
    });
    timer->start();
    return timer;
}

// Where the style puts one part (arrow, track, thumb) of a scroll bar.
inline QRect ScrollBarPart(QScrollBar& bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    if (bar.orientation() == Qt::Horizontal) {
        option.state |= QStyle::State_Horizontal;
    }
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}
