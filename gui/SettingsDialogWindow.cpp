#include "gui/SettingsDialogWindow.h"

#include "gui/MainWindowLayout.h"
#include "gui/ModelRadioButton.h"
#include "gui/QtText.h"
#include "gui/QtUiServices.h"
#include "platform/Codec.h"
#include "platform/Dispatch.h"
#include "platform/Failure.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace mv::gui {
namespace {

// Left, Top, Width, Height in pixels, relative to the parent.
struct Placement {
    int left;
    int top;
    int width;
    int height;
};

QRect ToRect(Placement p) {
    return {p.left, p.top, p.width, p.height};
}

// The designed outer size 582 x 245 holds a 4-pixel frame on each side and a 19-pixel caption
// bar; Qt sizes the client area.
constexpr int ClientWidth = 582 - 2 * 4;
constexpr int ClientHeight = 245 - 2 * 4 - 19;

constexpr const char* DialogName = "SubForm";

struct GroupBoxDesign {
    const char* name;
    const char* parent;
    Placement place;
    const char* captionUtf8;
};
// Parents come before their children.
constexpr GroupBoxDesign GroupBoxes[] = {
    {"GroupBox1", DialogName, {8, 16, 553, 49}, "PATがインストールしてあるフォルダ"},
    {"GroupBox2", DialogName, {8, 72, 121, 97}, "増減のマイナス表示"},
    {"GroupBox7", DialogName, {136, 72, 425, 97}, "並び替え（初期状態）"},
    {"GroupBox3", "GroupBox7", {8, 16, 97, 65}, "単勝（出馬表）"},
    {"GroupBox4", "GroupBox7", {112, 16, 97, 65}, "枠連オッズ"},
    {"GroupBox5", "GroupBox7", {216, 16, 97, 65}, "馬連オッズ"},
    {"GroupBox6", "GroupBox7", {320, 16, 97, 65}, "ワイドオッズ"},
};

// The group box of each radio group, indexed by SubGroup.
constexpr const char* GroupBoxOf[] = {"GroupBox2", "GroupBox3", "GroupBox4", "GroupBox5",
                                      "GroupBox6"};

// In each sort group the sort button sits above the normal one.
constexpr Placement SortPlace{8, 16, 81, 17};
constexpr Placement NormalPlace{8, 40, 81, 17};

// Indexed by SubRadio.
constexpr Placement RadioPlaces[SubRadioCount] = {
    {16, 16, 57, 25}, {16, 40, 57, 25}, {16, 64, 57, 25}, // RadioButton1 to 3: the sign
    SortPlace,        NormalPlace,                        // RadioButton4, 5: the race card
    SortPlace,        SortPlace,        SortPlace,        // RadioButton6 to 8: the odds panels
    NormalPlace,      NormalPlace,      NormalPlace,      // RadioButton9 to 11
};

constexpr Placement Edit1Place{8, 16, 401, 20};
constexpr Placement Button1Place{424, 16, 113, 25};
constexpr Placement Button2Place{8, 176, 553, 33};

constexpr const char* TabOrder[] = {
    "Edit1",         "Button1",      "RadioButton1",  "RadioButton2", "RadioButton3",
    "RadioButton4",  "RadioButton5", "RadioButton6",  "RadioButton9", "RadioButton7",
    "RadioButton10", "RadioButton8", "RadioButton11", "Button2",
};

QString Caption(const char* utf8) {
    return FromSjis(Sjis(utf8));
}

QString Name(const char* name) {
    return QString::fromLatin1(name);
}

bool IsSignButton(SubRadio r) {
    return GroupOf(r) == SubGroup::GroupBox2;
}

} // namespace

SettingsDialogWindow::SettingsDialogWindow(QWidget* owner, QtUiServices& ui, TSubForm& form)
    : QDialog(owner), ui_(ui), form_(form) {
    setObjectName(Name(DialogName));
    setWindowTitle(Caption("Q-MvRCV98 Viewer 設定"));
    setFont(ToQFont(WindowFont));
    setFixedSize(ClientWidth, ClientHeight);
    setModal(true);
    BuildWidgets();
    Render();

    CentreOver(owner);
}

void SettingsDialogWindow::CentreOver(const QWidget* owner) {
    QRect area;
    if (owner != nullptr) {
        area = owner->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    move(area.center() - rect().center());
}

void SettingsDialogWindow::BuildWidgets() {
    for (const GroupBoxDesign& g : GroupBoxes) {
        QWidget* parent =
            objectName() == Name(g.parent) ? this : findChild<QWidget*>(Name(g.parent));
        auto* box = new QGroupBox(Caption(g.captionUtf8), parent);
        box->setObjectName(Name(g.name));
        box->setGeometry(ToRect(g.place));
    }

    auto* folderBox = findChild<QGroupBox*>(QStringLiteral("GroupBox1"));
    edit1_ = new QLineEdit(folderBox);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setGeometry(ToRect(Edit1Place));

    auto* button1 = new QPushButton(Caption("変更"), folderBox);
    button1->setObjectName(QStringLiteral("Button1"));
    button1->setGeometry(ToRect(Button1Place));
    connect(button1, &QPushButton::clicked, this, [this] {
        Run([this] {
            TakeTypedFolder();
            form_.Button1Click();
        });
    });

    for (int i = 0; i < SubRadioCount; ++i) {
        const auto r = static_cast<SubRadio>(i);
        auto* parent = findChild<QGroupBox*>(Name(GroupBoxOf[static_cast<int>(GroupOf(r))]));
        auto* radio = new ModelRadioButton(parent);
        radio->setObjectName(Name(NameOf(r)));
        radio->setText(FromSjis(form_.form().radio(r).caption));
        // The sign buttons use the fixed-pitch face so that "▲12" and "－12" line up.
        radio->setFont(ToQFont({IsSignButton(r) ? Face::Fixed : Face::Proportional, 16}));
        radio->setGeometry(ToRect(RadioPlaces[i]));
        connect(radio, &QRadioButton::clicked, this,
                [this, r] { Run([this, r] { form_.Check(r); }); });
        radios_[static_cast<std::size_t>(i)] = radio;
    }

    auto* button2 = new QPushButton(Caption("閉じる"), this);
    button2->setObjectName(QStringLiteral("Button2"));
    button2->setGeometry(ToRect(Button2Place));
    connect(button2, &QPushButton::clicked, this, [this] {
        Run([this] {
            TakeTypedFolder();
            form_.Button2Click();
        });
    });

    // Enter in Edit1 must not press a button: the dialog has no default button.
    for (QPushButton* button : {button1, button2}) {
        button->setAutoDefault(false);
    }
    QWidget* previous = nullptr;
    for (const char* name : TabOrder) {
        QWidget* next = findChild<QWidget*>(Name(name));
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    }
}

void SettingsDialogWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) {
        return;
    }
    shown_ = true;
    // Queued, so that the dialog is on the screen before a prompt or the chooser covers it.
    QMetaObject::invokeMethod(
        this, [this] { Run([this] { form_.FormActivate(); }); }, Qt::QueuedConnection);
}

void SettingsDialogWindow::closeEvent(QCloseEvent* event) {
    if (!form_.closed()) {
        Run([this] {
            TakeTypedFolder();
            form_.Close();
        });
    }
    if (form_.closed()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void SettingsDialogWindow::Run(const std::function<void()>& handler) {
    Dispatch(ui_, handler);
    Render();
    if (form_.closed() && isVisible()) {
        done(QDialog::Accepted);
    }
}

void SettingsDialogWindow::Render() {
    const SubFormModel& model = form_.form();
    // Only a folder the form changed replaces the text: a typed text it could not take stays.
    if (model.Edit1 != shownFolder_) {
        edit1_->setText(FromSjis(model.Edit1));
        shownFolder_ = model.Edit1;
    }
    for (int i = 0; i < SubRadioCount; ++i) {
        radios_[static_cast<std::size_t>(i)]->setChecked(
            model.radio(static_cast<SubRadio>(i)).checked);
    }
}

void SettingsDialogWindow::TakeTypedFolder() {
    // An untouched text keeps the form's bytes, even those that do not display.
    if (edit1_->text() == FromSjis(shownFolder_)) {
        return;
    }
    const auto folder = ToSjis(edit1_->text());
    if (!folder) {
        throw Failure::Other(Sjis("入力されたフォルダ名に Shift_JIS で表せない文字があります"));
    }
    form_.SetEdit1(*folder);
    shownFolder_ = *folder;
}

} // namespace mv::gui
