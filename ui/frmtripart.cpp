#include "ui/frmtripart.h"

#include "calc/formula.h"
#include "calc/run.h"
#include "design/controltable.h"
#include "design/windowrules.h"
#include "ui/boxtext.h"
#include "ui/icon.h"
#include "ui/reportbox.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <limits>
#include <vector>

namespace {

// The window's client area; Line1 is drawn on it, behind every control.
class ClientArea : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
        painter.drawLine(TwipsToPixels(kLine1.x1), TwipsToPixels(kLine1.y1), TwipsToPixels(kLine1.x2),
                         TwipsToPixels(kLine1.y2));
    }
};

QFont MakeFont(const FontChoice& choice, std::uint32_t flags = kNone)
{
    const FontChoice& f = choice.family ? choice : kDefaultFont;
    QFont font(QString::fromUtf8(f.family));
    font.setPixelSize(PointsToPixels(f.points));
    font.setBold(choice.bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    if (flags & kLongNumbers) {
        // Shaping a number of 200,000 digits costs more than all the rest of "="; digits
        // and the box's messages come out the same pixels without it.
        font.setStyleStrategy(QFont::PreferNoShaping);
    }
    if (QString::fromUtf8(f.family) == QLatin1String("Courier")) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    return font;
}

Qt::Alignment Alignment(TextAlign align)
{
    switch (align) {
    case TextAlign::Center:
        return Qt::AlignHCenter;
    case TextAlign::Right:
        return Qt::AlignRight;
    case TextAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

void SetColour(QWidget& w, QPalette::ColorRole role, Colour colour)
{
    if (!colour) {
        return;
    }
    QPalette palette = w.palette();
    palette.setColor(role, QColor(QString::fromLatin1(colour)));
    w.setPalette(palette);
}

// The design's scroll bar has 10 at its top end. Qt's inverted appearance puts 10 at the top
// but leaves the arrows and the track stepping the other way; this turns them round.
void ReverseSteps(QScrollBar& bar, int action)
{
    const int step = bar.singleStep();
    const int page = bar.pageStep();
    const int before = bar.value();
    int position = before;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        position = before - step;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        position = before + step;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        position = before - page;
        break;
    case QAbstractSlider::SliderPageStepSub:
        position = before + page;
        break;
    default:
        return;
    }
    bar.setSliderPosition(std::clamp(position, bar.minimum(), bar.maximum()));
}

QWidget* MakeControl(const ControlRow& row, QWidget* parent)
{
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Alignment(row.align) | Qt::AlignTop);
        label->setWordWrap(true);
        label->setMargin(0);
        label->setIndent(0);
        label->setAutoFillBackground(true);
        SetColour(*label, QPalette::Window, row.background);
        SetColour(*label, QPalette::WindowText, row.foreground);
        return label;
    }
    case ControlKind::TextBox:
        if (row.flags & kMultiLine) {
            auto* box = new ReportBox(parent);
            box->setPlainText(ToBoxText(row.text));
            box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setVerticalScrollBarPolicy((row.flags & kVScrollAlways) ? Qt::ScrollBarAlwaysOn
                                                                           : Qt::ScrollBarAlwaysOff);
            box->setTabChangesFocus(true);
            box->document()->setDocumentMargin(2);
            SetColour(*box, QPalette::Base, row.background);
            SetColour(*box, QPalette::Text, row.foreground);
            return box;
        } else {
            auto* box = new QLineEdit(text, parent);
            // Qt cuts a line edit's text at 32,767 characters by default; these boxes must
            // hold numbers of any length, a count of 200,000 digits and a too long input
            // alike, so nothing typed, pasted or written is ever cut.
            box->setMaxLength(std::numeric_limits<int>::max());
            box->setAlignment(Alignment(row.align) | Qt::AlignVCenter);
            box->setReadOnly(row.flags & kReadOnly);
            box->setFocusPolicy(Qt::StrongFocus);
            box->setCursorPosition(0);
            SetColour(*box, QPalette::Base, row.background);
            SetColour(*box, QPalette::Text, row.foreground);
            return box;
        }
    case ControlKind::Button: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        SetColour(*button, QPalette::Button, row.background);
        SetColour(*button, QPalette::ButtonText, row.foreground);
        return button;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(text, parent);
        box->setChecked(false);
        SetColour(*box, QPalette::WindowText, row.foreground);
        return box;
    }
    case ControlKind::VScrollBar: {
        auto* bar = new QScrollBar(Qt::Vertical, parent);
        bar->setRange(kScrollMinimum, kScrollMaximum);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setValue(kScrollInitial);
        bar->setInvertedAppearance(true);
        bar->setTracking(false);
        bar->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar,
                         [bar](int action) { ReverseSteps(*bar, action); });
        return bar;
    }
    case ControlKind::PictureBox: {
        auto* picture = new QFrame(parent);
        if (row.flags & kSunkenBorder) {
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            picture->setLineWidth(TwipsToPixels(kSunkenBorderTwips));
        } else {
            picture->setFrameStyle(QFrame::NoFrame);
        }
        picture->setAutoFillBackground(true);
        picture->setFocusPolicy(Qt::StrongFocus);
        SetColour(*picture, QPalette::Window, row.background);
        return picture;
    }
    }
    return nullptr;
}

template <class T>
T* Find(const QHash<QString, QWidget*>& controls, const char* name)
{
    T* control = qobject_cast<T*>(controls.value(QString::fromLatin1(name)));
    Q_ASSERT(control);
    return control;
}

} // namespace

frmtripart::frmtripart(QWidget* parent)
    : QMainWindow(parent), m_terminate([] { std::_Exit(0); })
{
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    setWindowIcon(TriangleIcon());
    setFont(MakeFont(kDefaultFont));

    m_widgets.cmdinfo = menuBar()->addAction(QString::fromUtf8(kMenuCommandText));
    m_widgets.cmdinfo->setObjectName(QString::fromLatin1(kMenuCommandName));

    BuildControls();
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

void frmtripart::BuildControls()
{
    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    setCentralWidget(client);
    m_widgets.client = client;

    QHash<QString, QWidget*> controls;
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlRow& row : ControlTable()) {
        QWidget* container = row.container ? controls.value(QString::fromLatin1(row.container)) : client;
        Q_ASSERT(container);
        QPoint inner(0, 0);
        if (auto* frame = qobject_cast<QFrame*>(container)) {
            inner = frame->contentsRect().topLeft();
        }
        QWidget* control = MakeControl(row, container);
        control->setObjectName(QString::fromLatin1(row.name));
        control->setFont(MakeFont(row.font, row.flags));
        control->setGeometry(inner.x() + TwipsToPixels(row.left), inner.y() + TwipsToPixels(row.top),
                             TwipsToPixels(row.width), TwipsToPixels(row.height));
        controls.insert(control->objectName(), control);
        if (control->focusPolicy() != Qt::NoFocus) {
            tabOrder.emplace_back(row.tabIndex, control);
        }
    }

    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& l, const auto& r) { return l.first < r.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }

    // raise() brings a control to the front, so go from back to front.
    for (const auto& stacking : {StackingOnWindow(), StackingInPicture2()}) {
        for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) {
            controls.value(QString::fromLatin1(*it))->raise();
        }
    }

    for (const AccessibleRow& row : AccessibleNames()) {
        QWidget* control = controls.value(QString::fromLatin1(row.control));
        control->setAccessibleName(QString::fromUtf8(row.name));
        if (row.describedBy) {
            control->setAccessibleDescription(
                qobject_cast<QLabel*>(controls.value(QString::fromLatin1(row.describedBy)))->text());
        }
        if (row.label) {
            qobject_cast<QLabel*>(controls.value(QString::fromLatin1(row.label)))->setBuddy(control);
        }
    }

    Widgets& w = m_widgets;
    w.Label1[0] = Find<QLabel>(controls, "Label1(0)");
    w.txtN[0] = Find<QLineEdit>(controls, "txtN(0)");
    w.Command1 = Find<QPushButton>(controls, "Command1");
    w.Command2 = Find<QPushButton>(controls, "Command2");
    w.Command3 = Find<QPushButton>(controls, "Command3");
    w.Text1 = Find<QPlainTextEdit>(controls, "Text1");
    w.Text2 = Find<QPlainTextEdit>(controls, "Text2");
    w.Text3 = Find<QLineEdit>(controls, "Text3");
    w.Text4 = Find<QLineEdit>(controls, "Text4");
    w.Text5 = Find<QLineEdit>(controls, "Text5");
    w.Label2 = Find<QLabel>(controls, "Label2");
    w.Label3 = Find<QLabel>(controls, "Label3");
    w.Label4 = Find<QLabel>(controls, "Label4");
    w.Label5 = Find<QLabel>(controls, "Label5");
    w.Label6 = Find<QLabel>(controls, "Label6");
    w.Label7 = Find<QLabel>(controls, "Label7");
    w.Check1 = Find<QCheckBox>(controls, "Check1");
    w.VScroll1 = Find<QScrollBar>(controls, "VScroll1");
    w.Picture1 = Find<QFrame>(controls, "Picture1");
    w.Picture2 = Find<QFrame>(controls, "Picture2");
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

void frmtripart::Form_Load() { m_widgets.Label2->setVisible(false); }

void frmtripart::Command1_Click()
{
    try {
        RunPerimeters(m_state, *this);
    } catch (const std::exception& error) {
        ShowFailure(error);
    }
}

void frmtripart::Command2_Click() { m_terminate(); }

void frmtripart::Command3_Click()
{
    try {
        CountByFormula(*this);
    } catch (const std::exception& error) {
        ShowFailure(error);
    }
}

void frmtripart::ShowFailure(const std::exception& error)
{
    // The window stays and says so.
    QMessageBox::critical(this, QString::fromUtf8(kFailureTitle), QString::fromStdString(FailureText(error)));
}

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

void frmtripart::AppendListText(std::string_view piece) { AppendToBox(*m_widgets.Text2, piece); }

void frmtripart::AppendTableText(std::string_view piece) { AppendToBox(*m_widgets.Text1, piece); }

std::string frmtripart::InputText() const { return m_widgets.Text4->text().toStdString(); }

void frmtripart::SetInputText(const std::string& text) { m_widgets.Text4->setText(QString::fromStdString(text)); }

void frmtripart::SetResultText(const std::string& text) { m_widgets.Text5->setText(QString::fromStdString(text)); }
