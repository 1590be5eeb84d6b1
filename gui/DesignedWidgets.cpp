#include "gui/DesignedWidgets.h"

#include "gui/GroupBox.h"
#include "gui/ModelRadioButton.h"
#include "gui/QtText.h"
#include "gui/RaceCardGrid.h"
#include "platform/Codec.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace mv::gui {
namespace {

QString Caption(const WidgetDesign& d) {
    return d.caption == nullptr ? QString() : FromSjis(Sjis(d.caption));
}

QColor ToQColor(Colour c) {
    return QColor::fromRgb(static_cast<QRgb>(c));
}

QPlainTextEdit* MakeMemo(QWidget* parent, const WidgetDesign& d) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setReadOnly((d.flags & ReadOnly) != 0);
    memo->setUndoRedoEnabled(false);
    // A thin margin, so that the fixed-width panel lines fit the narrow memos.
    memo->document()->setDocumentMargin(1);
    memo->setVerticalScrollBarPolicy((d.flags & VerticalScrollBar) != 0 ? Qt::ScrollBarAlwaysOn
                                                                        : Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(
        (d.flags & HorizontalScrollBar) != 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    memo->setLineWrapMode((d.flags & WordWrap) != 0 ? QPlainTextEdit::WidgetWidth
                                                    : QPlainTextEdit::NoWrap);
    return memo;
}

QWidget* Make(QWidget* parent, const WidgetDesign& d) {
    switch (d.kind) {
    case WidgetKind::Panel: {
        auto* panel = new QFrame(parent);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(PanelBorder);
        return panel;
    }
    case WidgetKind::Label: {
        // Drawn from the top, as the design places the text, not centred in a taller box; an
        // opaque label covers the ones before it where they overlap.
        auto* label = new QLabel(Caption(d), parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true);
        return label;
    }
    case WidgetKind::GroupBox:
        return new GroupBox(Caption(d), parent);
    case WidgetKind::RadioButton: {
        auto* radio = new ModelRadioButton(parent);
        radio->setText(Caption(d));
        return radio;
    }
    case WidgetKind::PushButton: {
        auto* button = new QPushButton(Caption(d), parent);
        // Enter in an edit must not press a button: the windows have no default button.
        button->setAutoDefault(false);
        return button;
    }
    case WidgetKind::Edit: {
        auto* edit = new QLineEdit(Caption(d), parent);
        edit->setReadOnly((d.flags & ReadOnly) != 0);
        if ((d.flags & Coloured) != 0) {
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, ToQColor(d.colour));
            edit->setPalette(palette);
        }
        return edit;
    }
    case WidgetKind::Memo:
        return MakeMemo(parent, d);
    case WidgetKind::Grid:
        return new RaceCardGrid(parent);
    }
    return nullptr;
}

} // namespace

std::vector<QWidget*> BuildWidgets(QWidget& window, const WindowDesign& design) {
    window.setObjectName(QLatin1String(design.name));
    window.setWindowTitle(FromSjis(Sjis(design.caption)));
    window.setFont(ToQFont(design.font));
    std::vector<QWidget*> widgets;
    widgets.reserve(design.widgets.size());
    for (std::size_t i = 0; i < design.widgets.size(); ++i) {
        const WidgetDesign& d = design.widgets[i];
        QWidget* parent = &window;
        if (d.parent != nullptr) {
            parent = widgets[*FindWidget(design, d.parent)];
        }
        QWidget* widget = Make(parent, d);
        widget->setObjectName(QLatin1String(d.name));
        widget->setFont(ToQFont(EffectiveFont(design, i)));
        if ((d.flags & InitiallyHidden) != 0) {
            widget->hide();
        }
        widgets.push_back(widget);
    }
    PlaceWidgets(widgets, design, ToQSize(ClientSize(design)));
    return widgets;
}

void PlaceWidgets(const std::vector<QWidget*>& widgets, const WindowDesign& design, QSize client) {
    const std::vector<Rect> rects = LayOut(design, {client.width(), client.height()}, 96);
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const Rect& r = rects[i];
        widgets[i]->setGeometry(r.left, r.top, r.width, r.height);
    }
}

QSize ToQSize(Size size) {
    return {size.width, size.height};
}

QFont ToQFont(FontSpec spec) {
    const bool fixed = spec.face == Face::Fixed;
    QFont font;
    font.setFamilies({QString::fromUtf8(FaceName(spec.face)),
                      fixed ? QStringLiteral("IPAGothic") : QStringLiteral("IPAPGothic")});
    font.setStyleHint(fixed ? QFont::Monospace : QFont::SansSerif);
    font.setFixedPitch(fixed);
    font.setPixelSize(spec.pixelHeight);
    // Japanese and Latin text needs no shaping rules: glyphs straight from the character map
    // draw the same and cost a fraction of the time, at every repaint of the grid and memos.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace mv::gui
