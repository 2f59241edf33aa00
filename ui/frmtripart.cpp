#include "ui/frmtripart.h"

#include "design/controltable.h"
#include "design/windowrules.h"
#include "ui/boxtext.h"
#include "ui/controlbuilder.h"
#include "ui/icon.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <cstdlib>

frmtripart::frmtripart(QWidget* parent)
    : QMainWindow(parent), m_terminate([] { std::_Exit(0); })
{
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    setWindowIcon(TriangleIcon());

    m_widgets.cmdinfo = menuBar()->addAction(QString::fromUtf8(kMenuCommandText));
    m_widgets.cmdinfo->setObjectName(QString::fromLatin1(kMenuCommandName));

    const ControlsByName controls = BuildControls(*this);
    Widgets& w = m_widgets;
    w.txtN[0] = Find<QLineEdit>(controls, "txtN(0)");
    w.Command1 = Find<QPushButton>(controls, "Command1");
    w.Command2 = Find<QPushButton>(controls, "Command2");
    w.Command3 = Find<QPushButton>(controls, "Command3");
    w.Text1 = Find<QPlainTextEdit>(controls, "Text1");
    w.Text2 = Find<QPlainTextEdit>(controls, "Text2");
    w.Text4 = Find<QLineEdit>(controls, "Text4");
    w.Text5 = Find<QLineEdit>(controls, "Text5");
    w.Label2 = Find<QLabel>(controls, "Label2");
    w.Check1 = Find<QCheckBox>(controls, "Check1");
    w.VScroll1 = Find<QScrollBar>(controls, "VScroll1");
    setFixedSize(sizeHint());

    connect(m_widgets.Command1, &QPushButton::clicked, this, &frmtripart::Command1_Click);
    connect(m_widgets.Command2, &QPushButton::clicked, this, &frmtripart::Command2_Click);
    connect(m_widgets.Command3, &QPushButton::clicked, this, &frmtripart::Command3_Click);
    connect(m_widgets.cmdinfo, &QAction::triggered, this, &frmtripart::cmdinfo_Click);
    // Connected after the initial value is set, so that loading does not write the start box.
    connect(m_widgets.VScroll1, &QScrollBar::valueChanged, this, &frmtripart::VScroll1_Change);

    Form_Load();
    m_widgets.txtN[0]->setFocus();
    CentreOnScreen();
}

void frmtripart::CentreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    move(available.x() + (available.width() - width()) / 2, available.y() + (available.height() - height()) / 2);
}

void frmtripart::SetTerminator(std::function<void()> terminate) { m_terminate = std::move(terminate); }

QLineEdit* frmtripart::txtN(int index) const { return m_widgets.txtN.at(static_cast<std::size_t>(index)); }

void frmtripart::Form_Load()
{
    for (const char* name : HiddenAtLoad()) {
        findChild<QWidget*>(QString::fromLatin1(name))->setVisible(false);
    }
}

void frmtripart::Command1_Click() { GuardedRun(m_state, *this); }

void frmtripart::Command2_Click() { m_terminate(); }

void frmtripart::Command3_Click() { GuardedCount(*this); }

void frmtripart::cmdinfo_Click()
{
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(kInfoTitle), QString::fromUtf8(kInfoCredit),
                    QMessageBox::Ok, this);
    box.exec();
}

void frmtripart::VScroll1_Change()
{
    if (const auto text = ScrollStartText(m_widgets.VScroll1->value())) {
        txtN(0)->setText(QString::fromStdString(*text));
    }
}

void frmtripart::closeEvent(QCloseEvent* event)
{
    // The run would resume on controls that are gone; end as "Ende" does.
    if (m_state.running) {
        m_terminate();
    }
    event->accept();
}

void frmtripart::Yield() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void frmtripart::SetBusy(bool visible)
{
    m_widgets.Label2->setVisible(visible);
#if QT_CONFIG(accessibility)
    if (visible && QAccessible::isActive()) {
        // Nothing takes the focus when the run starts; a screen reader hears of it this way.
        QAccessibleEvent shown(m_widgets.Label2, QAccessible::Alert);
        QAccessible::updateAccessibility(&shown);
    }
#endif
}

std::string frmtripart::StartText() const { return txtN(0)->text().toStdString(); }

void frmtripart::SetStartText(const std::string& text) { txtN(0)->setText(QString::fromStdString(text)); }

std::string frmtripart::ListText() const { return FromBox(*m_widgets.Text2); }

void frmtripart::SetListText(const std::string& text) { SetBoxText(*m_widgets.Text2, text); }

std::string frmtripart::TableText() const { return FromBox(*m_widgets.Text1); }

void frmtripart::SetTableText(const std::string& text) { SetBoxText(*m_widgets.Text1, text); }

int frmtripart::DegenerateState() const { return m_widgets.Check1->isChecked() ? 1 : 0; }

void frmtripart::ShowWarning(const std::string& message)
{
    QMessageBox::warning(this, QString::fromUtf8(kWarningTitle), QString::fromStdString(message));
}

void frmtripart::ShowFailure(const std::string& message)
{
    QMessageBox::critical(this, QString::fromUtf8(kFailureTitle), QString::fromStdString(message));
}

void frmtripart::AppendListText(std::string_view piece) { AppendToBox(*m_widgets.Text2, piece); }

void frmtripart::AppendTableText(std::string_view piece) { AppendToBox(*m_widgets.Text1, piece); }

std::string frmtripart::InputText() const { return m_widgets.Text4->text().toStdString(); }

void frmtripart::SetInputText(const std::string& text) { m_widgets.Text4->setText(QString::fromStdString(text)); }

void frmtripart::SetResultText(const std::string& text) { m_widgets.Text5->setText(QString::fromStdString(text)); }
