// The Windows viewer as a user meets it: the real executable on the sample folder, driven with
// clicks, typed texts and the close box. After every event its controls must show what the
// core's window model shows for the same events, and the caches beside it must be the core's,
// byte for byte.

#include "app/Copy.h"
#include "app/Csv.h"
#include "app/FocusOrder.h"
#include "app/GridCursor.h"
#include "app/Keys.h"
#include "app/MainForm.h"
#include "app/MainFormBindings.h"
#include "common/MainFormDesign.h"
#include "platform/Codec.h"
#include "platform/Dispatch.h"
#include "platform/FileQuery.h"
#include "platform/IniFile.h"
#include "platform/InstanceLock.h"
#include "settings/SettingsFile.h"
#include "support/CacheFiles.h"
#include "support/ClickScript.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tools/SampleFetch.h"
#include "tools/SampleFolder.h"
#include "win/GridAccessible.h"
#include "win/WinText.h"
#include "win32/ViewerProcess.h"

#include <algorithm>
#include <chrono>
#include <commctrl.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <regex>
#include <thread>

// windows.h names its own profile function so; here it is the viewer's.
#undef WriteProfileString

namespace mv {
namespace {

using test::Modal;
using win::Wide;

std::wstring WideUtf8(const char* utf8) {
    return Wide(Sjis(utf8));
}

// A memo's lines as its edit control holds them, CR LF between them.
std::wstring MemoText(const TextLines& lines) {
    std::wstring text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) {
            text += L"\r\n";
        }
        text += win::Wide(lines[i]);
    }
    return text;
}

std::wstring GridText(const MainWindowModel& m) {
    std::wstring text;
    for (const auto& row : m.DEGrid) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            text += Wide(row[c]) + (c + 1 < row.size() ? L"\t" : L"\r\n");
        }
    }
    return text;
}

// A program folder with the sample betting-software folder beside it; the viewer runs in the
// one, and the core, for comparison, writes its caches to another.
class WindowsViewer : public testing::Test {
protected:
    WindowsViewer() {
        std::filesystem::create_directory(temp_.osPath() / "PAT");
        std::filesystem::create_directory(temp_.osPath() / "program");
        std::filesystem::create_directory(temp_.osPath() / "core");
        sample::WriteSampleFolder(pat_);
    }

    // The settings file as the dialog leaves it for a folder.
    void WriteSettings(const std::string& folder) {
        SaveSettings(ini_, folder, LoadSettings(ini_));
    }

    // Starts the viewer, and the core's own main window on the same settings.
    void Start() {
        viewer_ = std::make_unique<test::ViewerProcess>(temp_.osPath() / "program");
        core_ = std::make_unique<TMainForm>(ui_, ini_, temp_.osPath() / "core");
        core_->FormCreate();
        core_->FormActivate();
    }

    // The core's handler of a main window's button, through the core's dispatcher.
    void CoreClick(const char* name) {
        Dispatch(ui_, [&] {
            if (const auto radio = MainFormClicks().RadioNamed(name)) {
                core_->Check(*radio);
            } else if (const auto handler = MainFormClicks().HandlerOf(name)) {
                ((*core_).*(*handler))();
            }
        });
    }

    // A click on a main window's button, in the viewer and in the core.
    std::optional<Modal> Click(const char* name) {
        CoreClick(name);
        return viewer_->Click(viewer_->Control(name));
    }

    // Every control that shows a model field shows exactly that field.
    void ExpectShowsModel() {
        const MainWindowModel& m = core_->window();
        for (const WidgetDesign& w : MainFormDesign().widgets) {
            const HWND control = viewer_->Control(w.name);
            if (const auto text = TextOf(w.name)) {
                EXPECT_EQ(test::TextOf(control), Wide(m.**text)) << w.name;
            }
            if (const auto lines = LinesOf(w.name)) {
                EXPECT_EQ(test::TextOf(control), MemoText(m.**lines)) << w.name;
            }
            if (const auto visible = VisibilityOf(w.name)) {
                EXPECT_EQ(test::IsShown(control), m.**visible) << w.name;
            }
            if (const auto radio = MainFormClicks().RadioNamed(w.name)) {
                const RadioButton& b = m.radio(*radio);
                EXPECT_EQ(test::TextOf(control), Wide(b.caption)) << w.name;
                EXPECT_EQ(test::IsChecked(control), b.checked) << w.name;
                EXPECT_EQ(test::IsShown(control), b.visible) << w.name;
            }
        }
        EXPECT_EQ(test::TextOf(viewer_->Control("DEGrid")), GridText(m));
    }

    // The next odds fetch of the first meeting's race 3, shown: the viewer follows it (no box)
    // and shows what the core's reload of it shows.
    void FetchRace3AndFollow(sample::WriteWay way) {
        const std::wstring before = test::TextOf(viewer_->Control("MemoOdds2"));
        sample::WriteFetch(pat_, sample::SampleMeetings()[0], 3, 1, way,
                           std::chrono::milliseconds(0));
        for (int i = 0; i < 100 && test::TextOf(viewer_->Control("MemoOdds2")) == before; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_FALSE(viewer_->Settle()) << "no box";
        ASSERT_EQ(core_->ReloadQuietly(), TMainForm::QuietReload::Shown);
        ExpectShowsModel();
    }

    void ExpectCachesOfTheCore() {
        for (const char* name : test::CacheNames) {
            EXPECT_EQ(temp_.Read(std::string("program\\") + name),
                      temp_.Read(std::string("core\\") + name))
                << name;
        }
    }

    test::TempFolder temp_;
    const std::string pat_ = temp_.path() + "PAT\\";
    const std::filesystem::path ini_ = temp_.File("program\\Q-MvRV98.ini");
    test::ScriptedUi ui_;
    std::unique_ptr<test::ViewerProcess> viewer_;
    std::unique_ptr<TMainForm> core_;
};

// At 96 dots per inch every control sits at its designed place; at a larger resolution the
// whole window is scaled.
TEST_F(WindowsViewer, StartsWithTheMeetingsCaptionedAndEveryControlAtItsPlace) {
    WriteSettings(pat_);
    Start();
    EXPECT_EQ(test::TextOf(viewer_->main()), WideUtf8("Q-MvRCV98 Viewer    version 3.62"));
    const int dpi = viewer_->Dpi();
    RECT client{};
    ::GetClientRect(viewer_->main(), &client);
    EXPECT_EQ(client.right, Scaled(792, dpi));
    EXPECT_EQ(client.bottom, Scaled(573, dpi));
    const WindowDesign& design = MainFormDesign();
    const std::vector<Rect> places = LayOut(design, {client.right, client.bottom}, dpi);
    for (std::size_t i = 0; i < design.widgets.size(); ++i) {
        const RECT r = test::PlaceOf(viewer_->Control(design.widgets[i].name));
        EXPECT_EQ((Rect{r.left, r.top, r.right - r.left, r.bottom - r.top}), places[i])
            << design.widgets[i].name << " at " << dpi << " dpi";
        if (dpi == 96) {
            EXPECT_EQ(places[i], design.widgets[i].place) << design.widgets[i].name;
        }
    }
    EXPECT_EQ(test::TextOf(viewer_->Control("RBkaisai1")), WideUtf8("東京"));
    EXPECT_FALSE(test::IsShown(viewer_->Control("RBkaisai3")));
    EXPECT_FALSE(test::IsShown(viewer_->Control("GBR")));
    ExpectShowsModel();
}

TEST_F(WindowsViewer, VenueRaceAndSortClicksShowWhatTheCoreShows) {
    WriteSettings(pat_);
    Start();
    // Race 1 with results, race 3 with a scratched runner, then every sort and normal button.
    for (const char* name : {"RBkaisai1", "RBR03", "RBSortT", "RBSort1", "RBSort2", "RBSort3",
                             "RBNor2", "RBkaisai2", "RBR09", "RBNorT", "UpDate"}) {
        EXPECT_FALSE(Click(name)) << "no message box after " << name;
        ExpectShowsModel();
        ExpectCachesOfTheCore();
    }
}

TEST_F(WindowsViewer, ClicksAtTheDesignedPlacesHitTheirButtons) {
    WriteSettings(pat_);
    Start();
    for (const char* name : test::PositionClicks) {
        const test::Point p = test::ClickPoint(name);
        CoreClick(name);
        EXPECT_FALSE(viewer_->ClickAt(p.x, p.y)) << name;
        ExpectShowsModel();
        ExpectCachesOfTheCore();
    }
}

TEST_F(WindowsViewer, FileBeingWrittenShowsTheFailureBoxAndWhatWasFilledBeforeIt) {
    WriteSettings(pat_);
    Start();
    ASSERT_FALSE(Click("RBkaisai1"));
    // The betting software has the runner file of race 2 open for writing.
    const std::string path = core_->state().DataFilePath(1, 2);
    const std::wstring busy = Wide(path);
    const HANDLE writer =
        ::CreateFileW(busy.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    const auto box = Click("RBR02");
    ::CloseHandle(writer);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->kind, Modal::Kind::MessageBox);
    EXPECT_EQ(box->title, L"Q-mvrcv98");
    const std::string message = Sjis("ファイル ") + path + Sjis(" は開けません.");
    EXPECT_EQ(box->text, Wide(message));
    EXPECT_TRUE(box->icon) << "a failure shows the error icon";
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    // Behind the box the window already shows what the failed click left: the race before it
    // cleared away.
    ExpectShowsModel();
    EXPECT_FALSE(viewer_->Answer(*box, IDOK));
    const std::vector<test::ScriptedUi::Shown> expected{
        {test::ScriptedUi::Shown::Kind::Error, message}};
    EXPECT_EQ(ui_.shown, expected) << "the core failed alike";
    ExpectShowsModel();
}

TEST_F(WindowsViewer, FirstStartLeadsThroughTheSettingsDialogAndEnds) {
    Start(); // no settings file
    auto modal = viewer_->Settle();
    ASSERT_TRUE(modal);
    EXPECT_EQ(modal->kind, Modal::Kind::MessageBox);
    EXPECT_EQ(modal->text, WideUtf8("PATがインストールしてあるフォルダを選択してください！"));
    EXPECT_FALSE(modal->icon) << "a message of the viewer's own has no icon";
    modal = viewer_->Answer(*modal, IDOK);
    ASSERT_TRUE(modal);
    ASSERT_EQ(modal->kind, Modal::Kind::FolderChooser);
    modal = viewer_->Answer(*modal, IDCANCEL);
    ASSERT_TRUE(modal);
    ASSERT_EQ(modal->kind, Modal::Kind::SettingsDialog);
    EXPECT_EQ(modal->title, WideUtf8("Q-MvRCV98 Viewer 設定"));
    EXPECT_EQ(test::TextOf(viewer_->DialogControl("Edit1")), L"") << "cancelled: as it was";
    EXPECT_TRUE(test::IsChecked(viewer_->DialogControl("RadioButton1")));

    // The folder typed without its final "\", then chosen: the chooser starts there.
    viewer_->Type(viewer_->DialogControl("Edit1"), Wide(pat_.substr(0, pat_.size() - 1)));
    modal = viewer_->Click(viewer_->DialogControl("Button1"));
    ASSERT_TRUE(modal);
    ASSERT_EQ(modal->kind, Modal::Kind::FolderChooser);
    modal = viewer_->Answer(*modal, IDOK);
    EXPECT_EQ(test::TextOf(viewer_->DialogControl("Edit1")), Wide(pat_));

    modal = viewer_->Click(viewer_->DialogControl("Button2"));
    ASSERT_TRUE(modal);
    EXPECT_EQ(modal->text, WideUtf8("PATのフォルダが変更されましたので、再起動してください。"));
    EXPECT_FALSE(viewer_->Answer(*modal, IDOK));
    EXPECT_EQ(viewer_->ExitCode(), std::optional<DWORD>(0));
    EXPECT_EQ(ReadProfileString(ini_, "Dir", "PatDir", ""), pat_);
    EXPECT_EQ(ReadProfileString(ini_, "Options", "US", ""), "1");
}

// Folder names in Japanese, and longer than the 260 characters of a plain Windows path.
TEST_F(WindowsViewer, JapaneseAndLongFolderNamesWork) {
    std::string folder = temp_.path() + Sjis("競馬データ") + "\\";
    while (folder.size() < 300) {
        folder += Sjis("第二の入れ子フォルダ") + "\\";
    }
    std::filesystem::create_directories(ToOsPath(folder));
    sample::WriteSampleFolder(folder);
    WriteSettings(folder);
    Start();
    for (const char* name : {"RBkaisai1", "RBR03", "RBSortT"}) {
        EXPECT_FALSE(Click(name)) << "no message box after " << name;
    }
    EXPECT_EQ(core_->state().selection.CurRace, 3) << "the core found the races too";
    ExpectShowsModel();
    ExpectCachesOfTheCore();
}

// The settings and caches are named by the folder as the system gives it, whatever its name:
// U+2603 (a snowman) has no code page 932 form, and U+301C (WAVE DASH) has one that would
// read back as another character.
TEST_F(WindowsViewer, ProgramFolderOutsideCodePage932Works) {
    WriteSettings(pat_);
    core_ = std::make_unique<TMainForm>(ui_, ini_, temp_.osPath() / "core");
    core_->FormCreate();
    CoreClick("RBkaisai1");
    for (const char16_t* name : {u"snow\u2603", u"wave\u301C"}) {
        const std::filesystem::path folder = temp_.osPath() / name;
        std::filesystem::create_directory(folder);
        std::filesystem::copy_file(ini_, folder / "Q-MvRV98.ini");
        test::ViewerProcess viewer(folder);
        EXPECT_FALSE(viewer.Settle()) << "a message box at start";
        EXPECT_FALSE(viewer.Click(viewer.Control("RBkaisai1"))) << "a message box on a venue";
        for (const char* cache : test::CacheNames) {
            EXPECT_EQ(test::ReadFile(folder / cache), temp_.Read(std::string("core\\") + cache))
                << cache;
        }
    }
}

// One viewer per program folder: a second start brings the first one back to the front and
// ends without a window of its own.
// With follow mode on, the next fetch of the race on display is shown without a click, as the
// core's reload shows it, caches included.
TEST_F(WindowsViewer, FollowModeShowsTheNextFetchWithoutAClick) {
    WriteSettings(pat_);
    SaveAutoUpdate(ini_, true);
    Start();
    EXPECT_EQ(test::TextOf(viewer_->main()),
              WideUtf8("Q-MvRCV98 Viewer    version 3.62 [自動更新]"));
    Click("RBkaisai1");
    Click("RBR03");
    FetchRace3AndFollow(sample::WriteWay::ThroughRename);
    ExpectCachesOfTheCore();
}

// The grid as it shows on the screen: how many of its pixels are drawn in a mark's red or blue
// (text on white, so the strokes' cores carry the colour unmixed), and where the first red one
// lies.
struct GridTints {
    int red = 0;
    int blue = 0;
    POINT firstRed{-1, -1}; // in screen coordinates
};

GridTints TintsOf(HWND grid) {
    RECT r{};
    ::GetClientRect(grid, &r);
    POINT origin{0, 0};
    ::ClientToScreen(grid, &origin);
    const int width = r.right;
    const int height = r.bottom;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GridTints tints;
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
            const unsigned red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
            if (red >= 0x90 && green <= 0x50 && blue <= 0x50) {
                if (tints.red++ == 0) {
                    tints.firstRed = {origin.x + x, origin.y + y};
                }
            } else if (blue >= 0x90 && red <= 0x50 && green <= 0x50) {
                ++tints.blue;
            }
        }
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return tints;
}

struct TipSearch {
    DWORD pid;
    HWND found;
};

// The viewer's tooltip while it shows.
HWND ShownTip(DWORD processId) {
    TipSearch search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<TipSearch*>(param);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(window, &pid);
            wchar_t name[32]{};
            ::GetClassNameW(window, name, 32);
            if (pid == s.pid && std::wstring(name) == TOOLTIPS_CLASSW &&
                ::IsWindowVisible(window)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The odds that moved with a fetch are painted in the marks' colours, and hovering one shows
// its tip; before the fetch nothing is marked.
TEST_F(WindowsViewer, FollowModePaintsTheOddsThatMovedAndTellsTheirHistoryOnHover) {
    WriteSettings(pat_);
    SaveAutoUpdate(ini_, true);
    Start();
    Click("RBkaisai1");
    Click("RBR03");
    const HWND grid = viewer_->Control("DEGrid");
    const GridTints before = TintsOf(grid);
    EXPECT_EQ(before.red, 0);
    EXPECT_EQ(before.blue, 0);

    FetchRace3AndFollow(sample::WriteWay::InPlace);
    ASSERT_FALSE(HasFatalFailure());
    std::vector<std::wstring> fellTips;
    bool rose = false;
    for (const auto& row : core_->window().DEGridMarks) {
        for (const CellMark& mark : row) {
            if (mark.move == OddsMove::Fell) {
                fellTips.push_back(Wide(mark.tip));
            }
            rose = rose || mark.move == OddsMove::Rose;
        }
    }
    ASSERT_FALSE(fellTips.empty()) << "the fetch lowered some odds";
    ::UpdateWindow(grid);
    const GridTints after = TintsOf(grid);
    EXPECT_GT(after.red, 0);
    EXPECT_EQ(after.blue > 0, rose);

    // The mouse on a red stroke: its cell's tip, one of those the core gives the cells that fell.
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    // Tips show over the active window, as the user's mouse meets them: the pointer comes from
    // outside the grid onto the red stroke, and rests there.
    const auto moveTo = [&](POINT p) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = ::MulDiv(p.x, 65536, width) + 1;
        in.mi.dy = ::MulDiv(p.y, 65536, height) + 1;
        ::SendInput(1, &in, sizeof in);
        viewer_->Settle();
    };
    HWND tip = nullptr;
    for (int attempt = 0; attempt < 3 && tip == nullptr; ++attempt) {
        ::SetForegroundWindow(viewer_->main());
        moveTo({0, 0});
        moveTo(after.firstRed);
        for (int i = 0; i < 40 && tip == nullptr; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            tip = ShownTip(viewer_->processId());
        }
    }
    ASSERT_NE(tip, nullptr) << "a tip shows";
    // The viewer and the core read the fetch at moments of their own: the times may differ.
    const auto withoutTimes = [](const std::wstring& text) {
        return std::regex_replace(text, std::wregex(L"\uFF08[0-9:]+\uFF09"), L"()");
    };
    const std::wstring shown = withoutTimes(test::TextOf(tip));
    EXPECT_TRUE(std::any_of(fellTips.begin(), fellTips.end(),
                            [&](const std::wstring& t) { return withoutTimes(t) == shown; }))
        << "the tip shows " << shown.size() << " characters";
}

// The popup menu once it shows (nullptr when none shows).
HWND ShownMenu() {
    for (int i = 0; i < 100; ++i) {
        const HWND menu = ::FindWindowW(L"#32768", nullptr);
        if (menu != nullptr && ::IsWindowVisible(menu)) {
            return menu;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

// The context menu from the keyboard (Shift+F10 and the menu key come as WM_CONTEXTMENU at
// -1, -1): its item switches follow mode off, the caption loses its mark, and the settings
// file changes in that key alone.
TEST_F(WindowsViewer, TheContextMenuSwitchesFollowModeOff) {
    WriteSettings(pat_);
    SaveAutoUpdate(ini_, true);
    Start();
    const std::string before = temp_.Read("program\\Q-MvRV98.ini");
    ::PostMessageW(viewer_->main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(viewer_->main()),
                   static_cast<LPARAM>(-1));
    const HWND menu = ShownMenu();
    ASSERT_NE(menu, nullptr) << "the context menu shows";
    ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    const std::wstring designed = WideUtf8("Q-MvRCV98 Viewer    version 3.62");
    for (int i = 0; i < 100 && test::TextOf(viewer_->main()) != designed; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_FALSE(viewer_->Settle());
    EXPECT_EQ(test::TextOf(viewer_->main()), designed);
    std::string expected = before;
    expected.replace(expected.find("AutoUpdate=1"), 12, "AutoUpdate=0");
    EXPECT_EQ(temp_.Read("program\\Q-MvRV98.ini"), expected);
}

// A key as the system gives it to the focused control.
std::optional<Modal> Press(test::ViewerProcess& viewer, HWND focused, WPARAM key) {
    ::PostMessageW(focused, WM_KEYDOWN, key, 1);
    ::PostMessageW(focused, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    return viewer.Settle();
}

// The window's keys, whatever control has the focus, run the clicks they stand for: the same
// race and venue as the core's, no box; F1 lists the keys in a box of the viewer's own.
TEST_F(WindowsViewer, KeysRunTheirClicksWhateverHasTheFocus) {
    WriteSettings(pat_);
    Start();
    // Ctrl+1 through the system's input, to the active window.
    ::SetForegroundWindow(viewer_->main());
    INPUT keys[4] = {};
    for (INPUT& in : keys) {
        in.type = INPUT_KEYBOARD;
    }
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = '1';
    keys[2].ki.wVk = '1';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
    EXPECT_FALSE(viewer_->Settle());
    CoreClick("RBkaisai1");
    ASSERT_EQ(core_->state().selection.CurSlot, 1);
    ExpectShowsModel();

    const HWND memo = viewer_->Control("MemoOdds2");
    const HWND grid = viewer_->Control("DEGrid");
    EXPECT_FALSE(Press(*viewer_, memo, VK_NEXT));
    EXPECT_FALSE(Press(*viewer_, grid, VK_NEXT));
    EXPECT_FALSE(Press(*viewer_, grid, VK_NEXT));
    EXPECT_FALSE(Press(*viewer_, viewer_->Control("UpDate"), VK_PRIOR));
    CoreClick("RBR03");
    ExpectShowsModel();
    EXPECT_TRUE(test::IsChecked(viewer_->Control("RBR03")));

    EXPECT_FALSE(Press(*viewer_, grid, VK_ESCAPE));
    EXPECT_TRUE(::IsWindowVisible(viewer_->main())) << "Escape leaves the window open";

    const auto help = Press(*viewer_, grid, VK_F1);
    ASSERT_TRUE(help);
    EXPECT_EQ(help->kind, Modal::Kind::MessageBox);
    EXPECT_EQ(help->text, Wide(KeysHelpText()));
    EXPECT_FALSE(help->icon);
    EXPECT_FALSE(viewer_->Answer(*help, IDOK));

    // F5 is "更新": the settings are read again.
    TSettings settings = LoadSettings(ini_);
    settings.Tsort = "True";
    SaveSettings(ini_, pat_, settings);
    EXPECT_FALSE(Press(*viewer_, memo, VK_F5));
    CoreClick("UpDate");
    EXPECT_TRUE(core_->window().radio(Radio::RBSortT).checked);
    ExpectShowsModel();
    ExpectCachesOfTheCore();
}

// Ctrl+C through the system's input, to the active window.
void PressCtrl(test::ViewerProcess& viewer, WORD key) {
    ::SetForegroundWindow(viewer.main());
    INPUT keys[4] = {};
    for (INPUT& in : keys) {
        in.type = INPUT_KEYBOARD;
    }
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = key;
    keys[2].ki.wVk = key;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
}

std::wstring ClipboardText() {
    std::wstring text;
    if (::OpenClipboard(nullptr)) {
        if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
                text = chars;
                ::GlobalUnlock(data);
            }
        }
        ::CloseClipboard();
    }
    return text;
}

// Ctrl+C puts what the focused control shows on the clipboard as Unicode text: the race card
// from the grid (focused by a click), a memo's selection, or all its lines.
TEST_F(WindowsViewer, CtrlCCopiesTheFocusedControl) {
    WriteSettings(pat_);
    Start();
    Click("RBkaisai1");
    Click("RBR03");
    const MainWindowModel& m = core_->window();

    const test::Point grid = test::ClickPoint("DEGrid");
    EXPECT_FALSE(viewer_->ClickAt(grid.x + 40, grid.y));
    PressCtrl(*viewer_, 'C');
    EXPECT_FALSE(viewer_->Settle());
    EXPECT_EQ(ClipboardText(), Wide(RaceCardText(m)));

    const test::Point memo = test::ClickPoint("MemoOdds2");
    EXPECT_FALSE(viewer_->ClickAt(memo.x + 40, memo.y));
    PressCtrl(*viewer_, 'C');
    EXPECT_FALSE(viewer_->Settle());
    EXPECT_EQ(ClipboardText(), MemoText(m.MemoOdds2) + L"\r\n");

    // The first line and the start of the second, selected.
    const std::wstring first = Wide(m.MemoOdds2[0]);
    ::SendMessageW(viewer_->Control("MemoOdds2"), EM_SETSEL, 0,
                   static_cast<LPARAM>(first.size() + 4));
    PressCtrl(*viewer_, 'C');
    EXPECT_FALSE(viewer_->Settle());
    EXPECT_EQ(ClipboardText(), first + L"\r\n" + Wide(m.MemoOdds2[1]).substr(0, 2));
}

// Ctrl+S opens the shell's save dialog proposing the race's name; taken as proposed, the race
// shown lands in the documents folder as the CSV the core makes of it.
TEST_F(WindowsViewer, CtrlSSavesTheRaceShownWhereTheSaveDialogSays) {
    WriteSettings(pat_);
    Start();
    Click("RBkaisai1");
    Click("RBR03");
    const auto name = CsvFileName(core_->state());
    ASSERT_TRUE(name);
    const std::filesystem::path saved = DocumentsFolder() / ToOsPath(*name);
    std::filesystem::remove(saved);
    PressCtrl(*viewer_, 'S');
    const auto dialog = viewer_->Settle();
    ASSERT_TRUE(dialog) << "the save dialog shows";
    EXPECT_EQ(dialog->title, WideUtf8("CSVで保存"));
    bool proposed = false;
    for (HWND child = ::GetWindow(dialog->window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        for (HWND inner : {child, ::GetWindow(child, GW_CHILD)}) {
            proposed = proposed || (inner != nullptr && test::TextOf(inner) == Wide(*name));
        }
    }
    EXPECT_TRUE(proposed) << "the name field holds the race's name";
    EXPECT_FALSE(viewer_->Answer(*dialog, IDOK));
    std::ifstream in(saved, std::ios::binary);
    const std::string written(std::istreambuf_iterator<char>(in), {});
    in.close();
    EXPECT_EQ(written, RaceCsv(core_->window()));
    std::filesystem::remove(saved);
}

// A name or value a reader got, as text; the string is freed.
std::wstring Taken(BSTR text) {
    std::wstring taken = text != nullptr ? std::wstring(text, ::SysStringLen(text)) : L"";
    ::SysFreeString(text);
    return taken;
}

std::wstring NameOf(IAccessible* object, LONG child) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(id, &name), S_OK);
    return Taken(name);
}

LONG RoleOf(IAccessible* object, LONG child) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    VARIANT role{};
    EXPECT_EQ(object->get_accRole(id, &role), S_OK);
    return role.vt == VT_I4 ? role.lVal : -1;
}

// What a screen reader finds through oleacc from another process: the drawn grid is a table
// of rows whose cells are named by their column and text as the core names them; a click and
// the arrow keys move the current cell, which the table reports as its focus.
TEST_F(WindowsViewer, ScreenReadersReadTheGridCellByCell) {
    WriteSettings(pat_);
    Start();
    Click("RBkaisai1");
    const MainWindowModel& m = core_->window();
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    IAccessible* table = nullptr;
    ASSERT_EQ(::AccessibleObjectFromWindow(viewer_->Control("DEGrid"),
                                           static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                           reinterpret_cast<void**>(&table)),
              S_OK);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(NameOf(table, CHILDID_SELF), Wide(GridName()));
    EXPECT_EQ(RoleOf(table, CHILDID_SELF), ROLE_SYSTEM_TABLE);
    long count = 0;
    ASSERT_EQ(table->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, GridRows);
    std::vector<VARIANT> rows(static_cast<std::size_t>(count));
    long got = 0;
    ASSERT_EQ(::AccessibleChildren(table, 0, count, rows.data(), &got), S_OK);
    ASSERT_EQ(got, count);
    for (int r = 0; r < GridRows; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        VARIANT& child = rows[static_cast<std::size_t>(r)];
        ASSERT_EQ(child.vt, VT_DISPATCH);
        IAccessible* row = nullptr;
        ASSERT_EQ(child.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&row)),
                  S_OK);
        EXPECT_EQ(NameOf(row, CHILDID_SELF), Wide(RowName(m.DEGrid, r)));
        EXPECT_EQ(RoleOf(row, CHILDID_SELF), ROLE_SYSTEM_ROW);
        long cells = 0;
        EXPECT_EQ(row->get_accChildCount(&cells), S_OK);
        EXPECT_EQ(cells, GridColumns);
        for (int c = 0; c < GridColumns; ++c) {
            EXPECT_EQ(NameOf(row, c + 1), Wide(CellName(m.DEGrid, {r, c}))) << "column " << c;
            EXPECT_EQ(RoleOf(row, c + 1), r == 0 ? ROLE_SYSTEM_COLUMNHEADER : ROLE_SYSTEM_CELL);
        }
        row->Release();
        ::VariantClear(&child);
    }

    // The cell clicked is current; the arrow keys move it as the core says.
    const test::Point at = test::ClickPoint("DEGrid");
    EXPECT_FALSE(viewer_->ClickAt(at.x + 40, at.y));
    VARIANT focus{};
    ASSERT_EQ(table->get_accFocus(&focus), S_OK);
    ASSERT_EQ(focus.vt, VT_I4);
    GridCell current{};
    bool found = false;
    for (int r = 1; r < GridRows && !found; ++r) {
        for (int c = 0; c < GridColumns && !found; ++c) {
            if (win::CellChildId(r, c) == focus.lVal) {
                current = {r, c};
                found = true;
            }
        }
    }
    ASSERT_TRUE(found) << "the focus names a runner's cell";
    const HWND grid = viewer_->Control("DEGrid");
    const std::pair<WPARAM, GridKey> keys[] = {{VK_DOWN, GridKey::Down},
                                               {VK_RIGHT, GridKey::Right},
                                               {VK_END, GridKey::End},
                                               {VK_UP, GridKey::Up},
                                               {VK_HOME, GridKey::Home}};
    for (const auto& [vk, key] : keys) {
        EXPECT_FALSE(Press(*viewer_, grid, vk));
        current = MovedCell(current, key);
        ASSERT_EQ(table->get_accFocus(&focus), S_OK);
        EXPECT_EQ(focus.lVal, win::CellChildId(current.row, current.column));
        EXPECT_EQ(NameOf(table, focus.lVal), Wide(CellName(m.DEGrid, current)));
    }
    table->Release();
    ::CoUninitialize();
}

// The viewer's focused control, as the system tells another process.
HWND FocusOf(const test::ViewerProcess& viewer) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(viewer.main(), nullptr), &info);
    return info.hwndFocus;
}

// A key through the system's input, to the active window, Shift held where asked.
void SendKey(test::ViewerProcess& viewer, WORD key, bool shift = false) {
    ::SetForegroundWindow(viewer.main());
    std::vector<INPUT> keys;
    const auto add = [&](WORD vk, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = flags;
        keys.push_back(in);
    };
    if (shift) {
        add(VK_SHIFT, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift) {
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    }
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    viewer.Settle();
}

// Tab and Shift+Tab go round the window's stops in the core's order; the arrow keys on a race
// button check the next shown race; Space presses the focused push button.
TEST_F(WindowsViewer, TabArrowsAndSpaceWorkTheWindowFromTheKeyboard) {
    WriteSettings(pat_);
    Start();
    Click("RBkaisai1");
    Click("RBR03");
    const auto nameOf = [&](HWND control) {
        for (const WidgetDesign& w : MainFormDesign().widgets) {
            if (viewer_->Control(w.name) == control) {
                return std::string(w.name);
            }
        }
        return std::string();
    };
    std::string at = nameOf(FocusOf(*viewer_));
    for (int i = 0; i < 18; ++i) {
        SendKey(*viewer_, VK_TAB);
        at = MoveFocus(core_->window(), at, FocusMove::Next)->control;
        EXPECT_EQ(nameOf(FocusOf(*viewer_)), at) << "Tab " << i;
    }
    for (int i = 0; i < 5; ++i) {
        SendKey(*viewer_, VK_TAB, true);
        at = MoveFocus(core_->window(), at, FocusMove::Previous)->control;
        EXPECT_EQ(nameOf(FocusOf(*viewer_)), at) << "Shift+Tab " << i;
    }

    for (int i = 0; i < 20 && nameOf(FocusOf(*viewer_)) != "RBR03"; ++i) {
        SendKey(*viewer_, VK_TAB);
    }
    ASSERT_EQ(nameOf(FocusOf(*viewer_)), "RBR03");
    SendKey(*viewer_, VK_RIGHT);
    CoreClick("RBR04");
    EXPECT_EQ(nameOf(FocusOf(*viewer_)), "RBR04");
    EXPECT_TRUE(test::IsChecked(viewer_->Control("RBR04")));
    ExpectShowsModel();

    TSettings settings = LoadSettings(ini_);
    settings.Tsort = "True";
    SaveSettings(ini_, pat_, settings);
    for (int i = 0; i < 20 && nameOf(FocusOf(*viewer_)) != "UpDate"; ++i) {
        SendKey(*viewer_, VK_TAB);
    }
    ASSERT_EQ(nameOf(FocusOf(*viewer_)), "UpDate");
    SendKey(*viewer_, VK_SPACE);
    EXPECT_TRUE(test::IsChecked(viewer_->Control("RBSortT"))) << "Space pressed 更新";
}

// A right click on the grid focuses it; the context menu's "コピー" then copies the race card.
TEST_F(WindowsViewer, TheContextMenuCopiesTheGridRightClicked) {
    WriteSettings(pat_);
    Start();
    Click("RBkaisai1");
    ::SetForegroundWindow(viewer_->main());
    test::Point at = test::ClickPoint("DEGrid");
    POINT p{Scaled(at.x + 40, viewer_->Dpi()), Scaled(at.y, viewer_->Dpi())};
    ::ClientToScreen(viewer_->main(), &p);
    INPUT clicks[3] = {};
    for (INPUT& in : clicks) {
        in.type = INPUT_MOUSE;
        in.mi.dx = ::MulDiv(p.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
        in.mi.dy = ::MulDiv(p.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    clicks[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_ABSOLUTE;
    clicks[2].mi.dwFlags = MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(3, clicks, sizeof(INPUT));
    const HWND menu = ShownMenu();
    ASSERT_NE(menu, nullptr) << "the context menu shows";
    ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    for (int i = 0; i < 100 && ::IsWindowVisible(menu); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_FALSE(viewer_->Settle());
    EXPECT_EQ(ClipboardText(), Wide(RaceCardText(core_->window())));
}

TEST_F(WindowsViewer, ASecondStartFromTheSameFolderBringsTheFirstForwardAndEnds) {
    WriteSettings(pat_);
    Start();
    ::ShowWindow(viewer_->main(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(viewer_->main()));

    test::ViewerProcess second(temp_.osPath() / "program");

    EXPECT_EQ(second.ExitCode(), std::optional<DWORD>(0));
    EXPECT_EQ(second.main(), nullptr);
    EXPECT_FALSE(::IsIconic(viewer_->main()));
    EXPECT_EQ(::GetForegroundWindow(), viewer_->main());
    EXPECT_FALSE(viewer_->Settle()) << "the first viewer shows a message box";
}

// Started again at once after the first was closed, while the first is still ending: its
// window gone, it owns the folder's mutex for a few seconds more. The start waits, and shows
// its window once the first has let go.
TEST_F(WindowsViewer, AStartWhileTheFirstIsEndingShowsItsWindowOnceTheFirstLetsGo) {
    WriteSettings(pat_);
    std::promise<void> holding;
    std::thread ending([&] {
        const InstanceLock first(temp_.osPath() / "program");
        holding.set_value();
        std::this_thread::sleep_for(std::chrono::seconds(4));
    });
    holding.get_future().wait();

    Start();
    ending.join();

    ASSERT_NE(viewer_->main(), nullptr);
    EXPECT_FALSE(viewer_->Settle()) << "the viewer shows a message box";
    ExpectShowsModel();
}

// A first viewer that owns the folder's mutex and has no window that answers, for good: after
// a while the start says so, with the application title and the error icon, and ends.
TEST_F(WindowsViewer, AStartFindingAViewerThatNeitherAnswersNorEndsSaysSo) {
    WriteSettings(pat_);
    const InstanceLock hung(temp_.osPath() / "program");
    ASSERT_FALSE(hung.heldElsewhere());

    test::ViewerProcess second(temp_.osPath() / "program");

    EXPECT_EQ(second.main(), nullptr);
    const auto box = second.Settle();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->kind, Modal::Kind::MessageBox);
    EXPECT_EQ(box->title, L"Q-mvrcv98");
    EXPECT_EQ(box->text, WideUtf8("既に起動しているビューアが応答しません。そのビューアを"
                                  "終了してから、もう一度起動してください."));
    EXPECT_TRUE(box->icon);
    EXPECT_FALSE(second.Answer(*box, IDOK));
    EXPECT_EQ(second.ExitCode(), std::optional<DWORD>(1));
}

TEST_F(WindowsViewer, CacheThatCannotBeCreatedShowsItsFailure) {
    WriteSettings(pat_);
    // A folder where the viewer writes its race card cache (and the core, for comparison).
    for (const char* folder : {"program", "core"}) {
        std::filesystem::create_directory(temp_.osPath() / folder / "MvDESo.dat");
    }
    Start();
    const auto box = Click("RBkaisai1");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, Wide(Sjis("ファイル ") + temp_.path() +
                              Sjis("program\\MvDESo.dat を作成できません.")));
    EXPECT_FALSE(viewer_->Answer(*box, IDOK));
    ExpectShowsModel();
}

// The four outcomes of closing the settings dialog, through "閉じる", Escape (which presses it)
// or the close box.
enum class CloseBy { Button, Escape, CloseBox };

struct CloseCase {
    const char* name;
    const char* storedFolder; // "pat", "other" (a valid second folder) or "empty" (no meetings)
    const char* typedFolder;  // the same keys
    CloseBy by;
    std::vector<const char*> messages; // UTF-8, in order
    bool ends;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsDialogClose : public WindowsViewer, public testing::WithParamInterface<CloseCase> {
protected:
    std::string Folder(std::string_view key) {
        if (key == "pat") {
            return pat_;
        }
        const std::string folder = temp_.path() + std::string(key) + "\\";
        std::filesystem::create_directories(ToOsPath(folder));
        if (key == "other") {
            sample::WriteSampleFolder(folder);
        }
        return folder;
    }
};

TEST_P(SettingsDialogClose, ShowsItsMessagesAndEndsOrGoesOn) {
    const CloseCase& c = GetParam();
    WriteSettings(Folder(c.storedFolder));
    WriteProfileString(ini_, "Options", "US", "1");
    Start();
    auto modal = viewer_->Settle();
    if (std::string_view(c.storedFolder) == "empty") {
        // The set-up check opened the dialog, which asks for the folder at once.
        ASSERT_TRUE(modal);
        modal = viewer_->Answer(*modal, IDOK);
        ASSERT_TRUE(modal);
        ASSERT_EQ(modal->kind, Modal::Kind::FolderChooser);
        modal = viewer_->Answer(*modal, IDCANCEL);
    } else {
        ASSERT_FALSE(modal);
        modal = viewer_->Click(viewer_->Control("ButtonSetting"));
    }
    ASSERT_TRUE(modal);
    ASSERT_EQ(modal->kind, Modal::Kind::SettingsDialog);
    const HWND dialog = modal->window;
    viewer_->Type(viewer_->DialogControl("Edit1"), Wide(Folder(c.typedFolder)));
    if (c.by == CloseBy::CloseBox) {
        modal = viewer_->Close(dialog);
    } else if (c.by == CloseBy::Escape) {
        modal = Press(*viewer_, viewer_->DialogControl("Edit1"), VK_ESCAPE);
    } else {
        modal = viewer_->Click(viewer_->DialogControl("Button2"));
    }
    for (const char* message : c.messages) {
        ASSERT_TRUE(modal) << message;
        EXPECT_EQ(modal->text, WideUtf8(message));
        modal = viewer_->Answer(*modal, IDOK);
    }
    EXPECT_FALSE(modal) << "the dialog has closed, but shows "
                        << (modal ? modal->title + L": " + modal->text : std::wstring());
    EXPECT_EQ(viewer_->ExitCode(c.ends ? 10000 : 500).has_value(), c.ends);
    EXPECT_EQ(ReadProfileString(ini_, "Dir", "PatDir", ""), Folder(c.typedFolder));
}

const char* const Changed = "PATのフォルダが変更されましたので、再起動してください。";
const char* const Unusable = "PATのフォルダが正しく設定されていませんので、終了します。";

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SettingsDialogClose,
    testing::Values(
        CloseCase{"SameUsableFolder", "pat", "pat", CloseBy::Button, {}, false},
        CloseCase{"SameUsableFolderByCloseBox", "pat", "pat", CloseBy::CloseBox, {}, false},
        CloseCase{"ChangedUsableFolder", "pat", "other", CloseBy::Button, {Changed}, true},
        CloseCase{"ChangedUsableFolderByEscape", "pat", "other", CloseBy::Escape, {Changed}, true},
        CloseCase{"SameUnusableFolder", "empty", "empty", CloseBy::Button, {Unusable}, true},
        CloseCase{"ChangedUnusableFolderByCloseBox",
                  "pat",
                  "empty",
                  CloseBy::CloseBox,
                  {Unusable, Changed},
                  true}),
    test::ByName());

} // namespace
} // namespace mv
