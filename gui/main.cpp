// Program entry: starts Qt and shows the viewer's window.

#include "gui/QtText.h"
#include "gui/QtUiServices.h"
#include "platform/Codec.h"
#include "platform/Dispatch.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName(QStringLiteral("MainForm"));
    window.setWindowTitle(mv::gui::FromSjis(mv::Sjis("Q-MvRCV98 Viewer    version 3.62")));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    window.setFont(font);
    window.resize(800, 600);
    mv::gui::QtUiServices ui(&window);

    // Until the race views are in place the window shows the banner and the folder in use.
    auto* layout = new QVBoxLayout(&window);
    auto* banner = new QLabel(mv::gui::FromSjis(mv::Sjis("Q-Mv series 「Q-MvＲＣＶ98 Viewer」")));
    banner->setStyleSheet(QStringLiteral("background: yellow; padding: 4px;"));
    QFont fixed(QStringLiteral("IPAGothic"));
    fixed.setPixelSize(12);
    banner->setFont(fixed);
    auto* folder = new QLabel;
    auto* notice = new QLabel(
        mv::gui::FromSjis(mv::Sjis("レース表示の画面は準備中です。設定ファイルを読み込みました。")));
    layout->addWidget(banner);
    layout->addWidget(folder);
    layout->addWidget(notice);
    layout->addStretch();
    mv::Dispatch(ui, [&] {
        const mv::TSettings settings = mv::LoadSettings();
        folder->setText(mv::gui::FromSjis(mv::Sjis("PATフォルダ: ") + settings.PatDir));
    });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - window.rect().center());
    }
    window.show();
    return app.exec();
}
