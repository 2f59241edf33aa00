// The program's only window. It owns the run state and implements the window operations of
// the computations on its controls; every piece of logic runs in one of its six handlers,
// which hand the work to calc/ and return to the event loop. The controls come from the
// control table, built in one place (ui/controlbuilder.h).
#pragma once

#include "calc/runstate.h"
#include "calc/runwindow.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>
#include <string_view>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

class frmtripart : public QMainWindow, public RunWindow, public FormulaWindow {
public:
    explicit frmtripart(QWidget* parent = nullptr);

    // What "Ende" and closing during a run do; the program's default ends the process at once.
    void SetTerminator(std::function<void()> terminate);

    // Control array txtN; its only element is 0.
    QLineEdit* txtN(int index) const;
    const RunState& State() const { return m_state; }

    // The handlers.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void cmdinfo_Click();
    void VScroll1_Change();

    // RunWindow
    void Yield() override;
    void SetBusy(bool visible) override;
    std::string StartText() const override;
    void SetStartText(const std::string& text) override;
    std::string ListText() const override;
    void SetListText(const std::string& text) override;
    std::string TableText() const override;
    void SetTableText(const std::string& text) override;
    int DegenerateState() const override;
    void ShowWarning(const std::string& message) override;
    void AppendListText(std::string_view piece) override;
    void AppendTableText(std::string_view piece) override;

    // FormulaWindow
    std::string InputText() const override;
    void SetInputText(const std::string& text) override;
    void SetResultText(const std::string& text) override;

    // RunWindow and FormulaWindow
    void ShowFailure(const std::string& message) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CentreOnScreen();

    struct Widgets {
        std::array<QLineEdit*, 1> txtN{};
        QPushButton* Command1 = nullptr;
        QPushButton* Command2 = nullptr;
        QPushButton* Command3 = nullptr;
        QPlainTextEdit* Text1 = nullptr;
        QPlainTextEdit* Text2 = nullptr;
        QLineEdit* Text4 = nullptr;
        QLineEdit* Text5 = nullptr;
        QLabel* Label2 = nullptr;
        QCheckBox* Check1 = nullptr;
        QScrollBar* VScroll1 = nullptr;
        QAction* cmdinfo = nullptr;
    } m_widgets;

    RunState m_state;
    std::function<void()> m_terminate;
};
