#include "gui/QtUiServices.h"

#include "gui/QtText.h"
#include "platform/AppTitle.h"
#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "platform/FolderChoice.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

namespace mv::gui {
namespace {

QString Title() {
    return FromSjis(ApplicationTitle(ShownPath(ExecutableOsPath().filename())));
}

void CentreOnScreen(QWidget& w) {
    w.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        w.move(area.center() - w.rect().center());
    }
}

int ShowBox(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
            QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, Title(), FromSjis(text), buttons, parent);
    // A folder or file name may hold "<b>" or "&lt;": the text is shown as it is, never as
    // markup.
    box.setTextFormat(Qt::PlainText);
    CentreOnScreen(box);
    return box.exec();
}

// A modal chooser of folders with an editable field holding the chosen folder's full path.
class FolderChooser : public QDialog {
public:
    FolderChooser(QWidget* parent, const QString& start) : QDialog(parent) {
        setWindowTitle(QString::fromUtf8("フォルダの参照"));
        model_.setRootPath(QDir::rootPath());
        model_.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
        tree_.setModel(&model_);
        for (int c = 1; c < model_.columnCount(); ++c) {
            tree_.hideColumn(c);
        }
        tree_.header()->hide();
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(&tree_);
        layout->addWidget(&path_);
        layout->addWidget(buttons);
        resize(420, 380);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(tree_.selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex& index) {
                    path_.setText(QDir::toNativeSeparators(model_.filePath(index)));
                });
        const QModelIndex index = model_.index(start);
        tree_.setCurrentIndex(index);
        tree_.scrollTo(index);
        path_.setText(start);
    }
    QString path() const { return path_.text(); }

private:
    QFileSystemModel model_;
    QTreeView tree_;
    QLineEdit path_;
};

} // namespace

void QtUiServices::ShowMessage(const std::string& text) {
    ShowBox(parent_, QMessageBox::NoIcon, text, QMessageBox::Ok);
}

void QtUiServices::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(FromSjis(text));
}

std::optional<std::filesystem::path> QtUiServices::AskSavePath(const SaveRequest& request) {
    // Qt's own dialog, the same on every desktop; it asks before a file is replaced.
    const QString extension = QString::fromStdString(request.extension);
    QFileDialog dialog(parent_, FromSjis(request.title),
                       QString::fromStdString(request.proposed.parent_path().string()),
                       QStringLiteral("%1 (*.%2)").arg(extension.toUpper(), extension));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(extension);
    dialog.selectFile(QString::fromStdString(request.proposed.filename().string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

void QtUiServices::ShowError(const std::string& text) {
    ShowBox(parent_, QMessageBox::Critical, text, QMessageBox::Ok);
}

bool QtUiServices::AskYesNo(const std::string& question) {
    return ShowBox(parent_, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

std::optional<std::string> QtUiServices::SelectFolder(const std::string& initialFolder) {
    const QString initial = FromSjis(initialFolder);
    const QString start = (!initial.trimmed().isEmpty() && QFileInfo(initial).isDir())
                              ? QFileInfo(initial).absoluteFilePath()
                              : QDir::currentPath();
    FolderChooser chooser(parent_, QDir::cleanPath(start));
    for (;;) {
        if (chooser.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        const QString typed = chooser.path();
        // The full path without a final separator, except for the root.
        const QString chosen = QDir::cleanPath(QDir(typed).absolutePath());
        if (auto folder = ConfirmChosenFolder(*this, chosen.toStdU16String(), typed.isEmpty())) {
            return folder;
        }
    }
}

} // namespace mv::gui
