#include "gui/MainWindow.h"

#include "app/ContextMenu.h"
#include "app/FocusOrder.h"
#include "app/Keys.h"
#include "common/MainFormDesign.h"
#include "gui/DesignedWidgets.h"
#include "gui/ModelRadioButton.h"
#include "gui/QtText.h"
#include "gui/RaceCardGrid.h"
#include "platform/Dispatch.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSocketNotifier>
#include <algorithm>
#include <exception>
#include <functional>
#include <map>

namespace mv::gui {
namespace {

QKeySequence QtKey(KeyStroke stroke) {
    static const std::map<Key, Qt::Key> keys = {
        {Key::F1, Qt::Key_F1},         {Key::F5, Qt::Key_F5},
        {Key::PageUp, Qt::Key_PageUp}, {Key::PageDown, Qt::Key_PageDown},
        {Key::Escape, Qt::Key_Escape}, {Key::Digit1, Qt::Key_1},
        {Key::Digit2, Qt::Key_2},      {Key::Digit3, Qt::Key_3},
        {Key::Digit4, Qt::Key_4},      {Key::Digit5, Qt::Key_5},
        {Key::Digit6, Qt::Key_6},      {Key::C, Qt::Key_C},
        {Key::S, Qt::Key_S},
    };
    const Qt::Key key = keys.at(stroke.key);
    return stroke.ctrl ? QKeySequence(Qt::CTRL | key) : QKeySequence(key);
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

void ShowLines(QPlainTextEdit& memo, const TextLines& lines) {
    // A plain-text document breaks its lines at LF alone.
    QString text = FromSjis(lines.text());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (memo.toPlainText() != text) {
        memo.setPlainText(text);
    }
}

} // namespace

MainWindow::MainWindow(QtUiServices& ui, TMainForm& form) : ui_(ui), form_(form) {
    const WindowDesign& design = MainFormDesign();
    // The program's default face is the window's: the toolkit's own has no Japanese, so its
    // menus, tips and boxes drew every Japanese character from a stand-in face, and each line
    // edit, laid out in the default face as it is made, loaded a font file the window never
    // shows.
    QApplication::setFont(ToQFont(design.font));
    widgets_ = BuildWidgets(*this, design);
    Bind();
    resize(ToQSize(ClientSize(design)));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    ui_.setParent(this);
    followTimer_.setSingleShot(true);
    connect(&followTimer_, &QTimer::timeout, this,
            [this] { Follow([this] { form_.FollowTimerFired(); }); });
    // The menu key comes as a context menu event of its own; Shift+F10 does not.
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        const QWidget* focused = focusWidget() != nullptr ? focusWidget() : this;
        ShowContextMenu(focused->mapToGlobal(focused->rect().center()));
    });
    BindKeys();
    Run([this] { form_.FormCreate(); });
}

// The window's keys, whatever has the focus inside it: each one runs what the core says it
// does on the window as it stands, as the click it stands for runs.
void MainWindow::BindKeys() {
    for (const KeyStroke stroke : MainWindowKeys()) {
        auto* shortcut = new QShortcut(QtKey(stroke), this);
        shortcut->setAutoRepeat(true);
        connect(shortcut, &QShortcut::activated, this, [this, stroke] {
            if (const auto action = KeyAction(form_, stroke); action && *action) {
                Run([this, handler = *action, focused = Focused()] { handler(form_, focused); });
            }
        });
    }
}

// The window's control that has the focus (a part of it, such as the grid's viewport, counts
// as the control), and a memo's selected text.
FocusedControl MainWindow::Focused() const {
    FocusedControl focused;
    for (QWidget* w = QApplication::focusWidget(); w != nullptr && w != this;
         w = w->parentWidget()) {
        const std::string name = w->objectName().toStdString();
        const auto& widgets = MainFormDesign().widgets;
        if (std::none_of(widgets.begin(), widgets.end(),
                         [&](const WidgetDesign& d) { return d.name == name; })) {
            continue;
        }
        focused.name = name;
        if (const auto* memo = qobject_cast<const QPlainTextEdit*>(w)) {
            QString selected = memo->textCursor().selectedText();
            // A selection across lines holds paragraph separators where the lines end.
            selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
            focused.selection = ToSjis(selected);
        }
        break;
    }
    return focused;
}

// The notifier goes before the handle it watches, which the form owns.
MainWindow::~MainWindow() {
    notices_.reset();
}

// Each widget to the model field it shows or the handler it runs, through the core's bindings.
void MainWindow::Bind() {
    const WindowDesign& design = MainFormDesign();
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        const std::string_view name = design.widgets[i].name;
        QWidget* widget = widgets_[i];
        if (const auto text = TextOf(name)) {
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                edits_.push_back({edit, *text});
            } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
                captions_.push_back({box, *text});
            }
        }
        if (const auto lines = LinesOf(name)) {
            auto* memo = qobject_cast<QPlainTextEdit*>(widget);
            // Tab leaves a memo for the window's next stop; it never types into one.
            memo->setTabChangesFocus(true);
            memos_.push_back({memo, *lines});
        }
        if (const auto visible = VisibilityOf(name)) {
            visibilities_.push_back({widget, *visible});
        }
        if (const auto handler = MainFormClicks().HandlerOf(name)) {
            const MainFormHandler h = *handler;
            connect(qobject_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    [this, h] { Run(std::bind(h, &form_)); });
        }
        if (const auto radio = MainFormClicks().RadioNamed(name)) {
            auto* button = static_cast<ModelRadioButton*>(widget);
            radios_[static_cast<std::size_t>(*radio)] = button;
            const Radio r = *radio;
            connect(button, &QAbstractButton::clicked, this,
                    [this, r] { Run(std::bind(&TMainForm::Check, &form_, r)); });
            button->installEventFilter(this);
        }
        if (auto* grid = dynamic_cast<RaceCardGrid*>(widget)) {
            grid_ = grid;
        }
    }
}

void MainWindow::Render() {
    const MainWindowModel& m = form_.window();
    for (const auto& e : edits_) {
        ShowText(*e.widget, m.*e.field);
    }
    setWindowTitle(FromSjis(form_.follow().Caption()));
    grid_->Show(m.DEGrid, m.DEGridMarks);
    for (const auto& c : captions_) {
        c.widget->setTitle(FromSjis(m.*c.field));
    }
    for (const auto& memo : memos_) {
        ShowLines(*memo.widget, m.*memo.field);
    }
    for (const auto& v : visibilities_) {
        v.widget->setVisible(m.*v.field);
    }
    for (std::size_t i = 0; i < radios_.size(); ++i) {
        const RadioButton& model = m.radios[i];
        radios_[i]->setText(FromSjis(model.caption));
        radios_[i]->setVisible(model.visible);
        radios_[i]->setChecked(model.checked);
    }
}

void MainWindow::Run(const std::function<void()>& handler) {
    {
        const mv::Follow::Hold hold(form_.follow());
        Dispatch(ui_, handler, [this] { Render(); });
    }
    Render();
    SyncFollow();
    if (ui_.endRequested()) {
        close();
    }
}

void MainWindow::Follow(const std::function<void()>& step) {
    std::vector<std::pair<QScrollBar*, int>> scrolled;
    for (const auto& memo : memos_) {
        for (QScrollBar* bar :
             {memo.widget->verticalScrollBar(), memo.widget->horizontalScrollBar()}) {
            scrolled.emplace_back(bar, bar->value());
        }
    }
    // A reload that fails shows nothing and changes nothing; the next change tries again.
    try {
        step();
    } catch (const std::exception&) {
    }
    Render();
    for (const auto& [bar, value] : scrolled) {
        bar->setValue(value);
    }
    SyncFollow();
}

void MainWindow::SyncFollow() {
    form_.FollowSync();
    const std::intptr_t handle = form_.follow().Handle();
    if (notices_ && notices_->socket() != handle) {
        // This may run inside the old notifier's own signal (a watch started anew after an
        // overflow): it goes once that is over.
        notices_->setEnabled(false);
        notices_.release()->deleteLater();
    }
    if (handle >= 0 && !notices_) {
        notices_ =
            std::make_unique<QSocketNotifier>(static_cast<qintptr>(handle), QSocketNotifier::Read);
        connect(notices_.get(), &QSocketNotifier::activated, this,
                [this] { Follow([this] { form_.FollowNoticed(); }); });
    }
    if (const auto wake = form_.follow().Wake()) {
        followTimer_.start(*wake);
    } else {
        followTimer_.stop();
    }
}

void MainWindow::ShowContextMenu(QPoint at) {
    QMenu menu(this);
    const FocusedControl focused = Focused();
    for (const ContextMenuItem& item : ContextMenuOf(form_, focused)) {
        QAction* action = menu.addAction(FromSjis(item.caption));
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        action->setEnabled(item.enabled);
        connect(action, &QAction::triggered, this,
                [this, run = item.run, focused] { Run([&] { run(form_, focused); }); });
    }
    menu.exec(at);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    ShowContextMenu(event->globalPos());
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

// Tab and Shift+Tab, from whichever control: the window's reading order.
bool MainWindow::focusNextPrevChild(bool next) {
    const auto step =
        MoveFocus(form_.window(), Focused().name, next ? FocusMove::Next : FocusMove::Previous);
    QWidget* target = step ? findChild<QWidget*>(QString::fromStdString(step->control)) : nullptr;
    if (target == nullptr) {
        return QWidget::focusNextPrevChild(next);
    }
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// The arrow keys on a radio button: the next shown button of its group, checked as a click
// checks it.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool forward = key->key() == Qt::Key_Right || key->key() == Qt::Key_Down;
    const bool back = key->key() == Qt::Key_Left || key->key() == Qt::Key_Up;
    if ((!forward && !back) || key->modifiers() != Qt::NoModifier) {
        return QWidget::eventFilter(watched, event);
    }
    const auto step = MoveFocus(form_.window(), watched->objectName().toStdString(),
                                forward ? FocusMove::GroupNext : FocusMove::GroupPrevious);
    if (!step) {
        return QWidget::eventFilter(watched, event);
    }
    if (auto* target = findChild<QWidget*>(QString::fromStdString(step->control))) {
        target->setFocus(Qt::OtherFocusReason);
    }
    if (step->check) {
        Run([this, r = *step->check] { form_.Check(r); });
    }
    return true;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceWidgets(widgets_, MainFormDesign(), size());
}

} // namespace mv::gui
