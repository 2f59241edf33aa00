#include "ui/controlbuilder.h"

#include "design/controltable.h"
#include "design/windowrules.h"
#include "ui/boxtext.h"
#include "ui/reportbox.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>
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

QFont MakeFont(const ResolvedFont& f, std::uint32_t flags = kNone)
{
    QFont font(QString::fromUtf8(f.family));
    font.setPixelSize(f.pixels);
    font.setBold(f.bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    if (flags & kLongNumbers) {
        // Shaping a number of 200,000 digits costs more than all the rest of "="; digits
        // and the box's messages come out the same pixels without it.
        font.setStyleStrategy(QFont::PreferNoShaping);
    }
    if (f.fixedPitch) {
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

// Qt's vertical bar steps toward its minimum for the upper arrow and the track above the
// thumb, also where its inverted appearance puts the maximum at the top; the design's step
// decides instead.
void StepAsDesigned(QScrollBar& bar, int action)
{
    int step = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub:
        step = kScrollStepUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepAdd:
        step = -kScrollStepUp;
        break;
    default:
        return;
    }
    bar.setSliderPosition(std::clamp(bar.value() + step, bar.minimum(), bar.maximum()));
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
        bar->setSingleStep(std::abs(kScrollStepUp));
        bar->setPageStep(std::abs(kScrollStepUp));
        bar->setValue(kScrollInitial);
        bar->setInvertedAppearance(kScrollStepUp > 0);
        bar->setTracking(false);
        bar->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar,
                         [bar](int action) { StepAsDesigned(*bar, action); });
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

} // namespace

ControlsByName BuildControls(QMainWindow& window)
{
    window.setFont(MakeFont(ResolveFont(kDefaultFont)));
    auto* client = new ClientArea(&window);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    window.setCentralWidget(client);

    ControlsByName controls;
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
        control->setFont(MakeFont(ResolveFont(row.font), row.flags));
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

    return controls;
}
