#include "gui/MainWindow.h"

#include "gui/DockedPanel.h"
#include "gui/MainWindowLayout.h"
#include "gui/ModelRadioButton.h"
#include "gui/QtText.h"
#include "gui/RaceCardGrid.h"
#include "platform/Codec.h"
#include "platform/Dispatch.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <iterator>

namespace mv::gui {
namespace {

using M = MainWindowModel;

// Which model field each widget shows.
struct EditBinding {
    const char* name;
    std::string M::*text;
};
constexpr EditBinding Edits[] = {
    {"EditYMDR", &M::EditYMDR},     {"EditTokubetu", &M::EditTokubetu},
    {"EditJikoku", &M::EditJikoku}, {"EditJyouken", &M::EditJyouken},
    {"EditCourse", &M::EditCourse}, {"EditKyori", &M::EditKyori},
    {"EditTousuu", &M::EditTousuu},
};

struct OddsPanelBinding {
    const char* group;
    std::string M::*caption;
    RadioParent radios;
};
constexpr OddsPanelBinding OddsPanels[] = {
    {"GBOdds1", &M::GBOdds1, RadioParent::GBOdds1},
    {"GBOdds2", &M::GBOdds2, RadioParent::GBOdds2},
    {"GBOdds3", &M::GBOdds3, RadioParent::GBOdds3},
};

struct MemoBinding {
    const char* name;
    Lines M::*lines;
};
// The three odds memos, one per odds panel in the same order, then the results memo.
constexpr MemoBinding Memos[] = {
    {"MemoOdds1", &M::MemoOdds1},
    {"MemoOdds2", &M::MemoOdds2},
    {"MemoOdds3", &M::MemoOdds3},
    {"MemoSeiseki", &M::MemoSeiseki},
};

struct Command {
    const char* name;
    const char* caption;
    void (*handler)(TMainForm&);
};
constexpr Command Commands[] = {
    {"ButtonSetting", "設定", [](TMainForm& form) { form.ButtonSettingClick(); }},
    {"UpDate", "更新", [](TMainForm& form) { form.UpDateClick(); }},
    {"ButtonEND", "終了", [](TMainForm& form) { form.ButtonENDClick(); }},
};

// A fixed text of the window, held as code page 932 like every text the viewer shows.
QString Text(const char* utf8) {
    return FromSjis(Sjis(utf8));
}

template <typename Widget>
Widget* Make(QWidget& parent, const char* name) {
    auto* widget = new Widget(&parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(DesignedGeometry(name));
    if (const auto font = DesignedFont(name)) {
        widget->setFont(ToQFont(*font));
    }
    return widget;
}

void MakeLabel(QWidget& parent, const char* name, const char* caption) {
    Make<QLabel>(parent, name)->setText(Text(caption));
}

QPlainTextEdit* MakeMemo(QWidget& parent, const char* name) {
    auto* memo = Make<QPlainTextEdit>(parent, name);
    memo->setReadOnly(true);
    memo->setUndoRedoEnabled(false);
    // A thin margin, so that the fixed-width panel lines fit the narrow memos.
    memo->document()->setDocumentMargin(1);
    return memo;
}

// Sets a text only when it changed, so that an unchanged widget keeps its scroll position;
// an edit shows the start of a text that is longer than the edit.
void ShowText(QLineEdit& edit, const std::string& sjis) {
    const QString text = FromSjis(sjis);
    if (edit.text() != text) {
        edit.setText(text);
        edit.setCursorPosition(0);
    }
}

void ShowLines(QPlainTextEdit& memo, const Lines& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        joined += i == 0 ? lines[i] : '\n' + lines[i];
    }
    const QString text = FromSjis(joined);
    if (memo.toPlainText() != text) {
        memo.setPlainText(text);
    }
}

} // namespace

MainWindow::MainWindow(QtUiServices& ui, TMainForm& form) : ui_(ui), form_(form) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(Text("Q-MvRCV98 Viewer    version 3.62"));
    setFont(ToQFont(WindowFont));
    BuildPanelDE(*Make<DockedPanel>(*this, "PanelDE"));
    BuildPanelPAD(*Make<DockedPanel>(*this, "PanelPAD"));
    BuildPanelODDS(*Make<DockedPanel>(*this, "PanelODDS"));
    resize(DesignedClientSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    ui_.setParent(this);
    Run([this] { form_.FormCreate(); });
}

void MainWindow::BuildPanelDE(QWidget& panel) {
    MakeLabel(panel, "Label1", "ｍ");
    MakeLabel(panel, "Label2", "頭数");
    grid_ = Make<RaceCardGrid>(panel, "DEGrid");
    static_assert(std::tuple_size_v<decltype(edits_)> == std::size(Edits));
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        edits_[i] = Make<QLineEdit>(panel, Edits[i].name);
        edits_[i]->setReadOnly(true);
    }
    QPalette yellow = edits_[0]->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    edits_[0]->setPalette(yellow);
    AddRadios(panel, RadioParent::PanelDE);
}

void MainWindow::BuildPanelPAD(QWidget& panel) {
    auto* venues = Make<QGroupBox>(panel, "GBjyoumei");
    venues->setTitle(Text("場名"));
    AddRadios(*venues, RadioParent::GBjyoumei);
    raceGroup_ = Make<QGroupBox>(panel, "GBR");
    raceGroup_->setTitle(Text("レース"));
    AddRadios(*raceGroup_, RadioParent::GBR);
    for (const Command& command : Commands) {
        auto* button = Make<QPushButton>(panel, command.name);
        button->setText(Text(command.caption));
        const auto handler = command.handler;
        connect(button, &QPushButton::clicked, this,
                [this, handler] { Run([this, handler] { handler(form_); }); });
    }
}

void MainWindow::BuildPanelODDS(QWidget& panel) {
    static_assert(std::size(OddsPanels) + 1 == std::size(Memos));
    for (std::size_t i = 0; i < oddsGroups_.size(); ++i) {
        oddsGroups_[i] = Make<QGroupBox>(panel, OddsPanels[i].group);
        memos_[i] = MakeMemo(*oddsGroups_[i], Memos[i].name);
        memos_[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memos_[i]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memos_[i]->setLineWrapMode(QPlainTextEdit::NoWrap);
        AddRadios(*oddsGroups_[i], OddsPanels[i].radios);
    }
    QPlainTextEdit* results = MakeMemo(panel, Memos[3].name);
    results->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    results->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memos_[3] = results;
}

void MainWindow::AddRadios(QWidget& parent, RadioParent group) {
    for (int i = 0; i < RadioCount; ++i) {
        const Radio radio = static_cast<Radio>(i);
        if (ParentOf(radio) != group) {
            continue;
        }
        auto* button = Make<ModelRadioButton>(parent, NameOf(radio));
        radios_[static_cast<std::size_t>(i)] = button;
        connect(button, &QAbstractButton::clicked, this,
                [this, radio] { Run([this, radio] { form_.Check(radio); }); });
    }
}

void MainWindow::Render() {
    const MainWindowModel& m = form_.window();
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        ShowText(*edits_[i], m.*Edits[i].text);
    }
    grid_->Show(m.DEGrid);
    for (std::size_t i = 0; i < oddsGroups_.size(); ++i) {
        oddsGroups_[i]->setTitle(FromSjis(m.*OddsPanels[i].caption));
    }
    for (std::size_t i = 0; i < memos_.size(); ++i) {
        ShowLines(*memos_[i], m.*Memos[i].lines);
    }
    raceGroup_->setVisible(m.GBRVisible);
    for (std::size_t i = 0; i < radios_.size(); ++i) {
        const RadioButton& model = m.radios[i];
        radios_[i]->setText(FromSjis(model.caption));
        radios_[i]->setVisible(model.visible);
        radios_[i]->setChecked(model.checked);
    }
}

void MainWindow::Run(const std::function<void()>& handler) {
    Dispatch(ui_, handler);
    Render();
    if (ui_.endRequested()) {
        close();
    }
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        // Queued, so that a dialog the set-up check opens runs after the activation is done.
        QMetaObject::invokeMethod(
            this, [this] { Run([this] { form_.FormActivate(); }); }, Qt::QueuedConnection);
    }
    return QWidget::event(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    DockChildren(*this);
}

} // namespace mv::gui
