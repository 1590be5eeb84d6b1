#!/usr/bin/env bash
# Builds the Windows viewer and writes dist/Q-MvRCV98-win64.zip: the executable (stripped) and
# a short text, in Shift_JIS with CR LF as Notepad on every Japanese Windows reads it, on where
# to put it. Prints the executable's size and the DLLs it imports.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/windows-build.sh Q-MvRCV98

stage=build/package
rm -rf "$stage"
mkdir -p "$stage" dist
x86_64-w64-mingw32-strip -o "$stage/Q-MvRCV98.exe" build/mingw/bin/Q-MvRCV98.exe
sed 's/$/\r/' <<'TEXT' | iconv -f UTF-8 -t CP932 >"$stage/README.txt"
Q-MvRCV98 Viewer 3.62

■ 置き場所
Q-MvRCV98.exe を、書き込みのできるフォルダ（例: ドキュメントの中に作った
「Q-MvRCV98」フォルダ）に置いてください。設定ファイル Q-MvRV98.ini と表示用の
ファイル（Mv*.dat）は、この実行ファイルと同じフォルダに作られます。
「Program Files」の下など、書き込めないフォルダには置かないでください。

■ 使い方
Q-MvRCV98.exe をダブルクリックします。初めての起動では設定画面が開きますので、
PAT がインストールしてあるフォルダを選んで「閉じる」を押し、もう一度起動して
ください。インストールは不要で、ほかのファイルも要りません。

■ 自動更新
ウィンドウを右クリック（または Shift+F10、アプリケーションキー）して出るメニューの
「自動更新」を選ぶと、PAT がオッズを書き換えるたびに表示中のレースを自動で読み直し、
前回から下がったオッズを赤、上がったオッズを青で表示します。マウスを合わせると前回と
今回の値が出ます。もう一度選ぶと元に戻ります。

■ キー操作
F5：更新
PageDown / PageUp：次のレース / 前のレース
Ctrl+1 … Ctrl+6：上から1番目 … 6番目の場名
Ctrl+C：コピー（出馬表をクリックしてから押すと出馬表全体を、Excel などに
        そのまま貼り付けられる形で。オッズ・成績の欄では選択した部分を）
Ctrl+S：CSVで保存（表示中のレース）
Tab / Shift+Tab：次の項目 / 前の項目（場名、レース、設定・更新・終了、並び順、
        出馬表、オッズ、成績の順）
矢印キー：場名・レース・並び順の切り替え、出馬表では選択しているセルの移動
Space：選択しているボタンを押す
Shift+F10、アプリケーションキー：メニュー（自動更新、コピー、CSVで保存）
F1：キー操作の一覧
Esc：設定画面では「閉じる」
出馬表はスクリーンリーダー（ナレーター、NVDA）でセルごとに読み上げられます。

■ CSVで保存
レースを表示してから Ctrl+S を押すか、右クリックのメニューで「CSVで保存...」を選ぶと、
表示中のレース（レース情報、出馬表、枠連・馬連・ワイドのオッズ、払戻金）を CSV ファイル
に保存します。保存画面は最初にドキュメント フォルダーを開き、ファイル名は
「日付_場名_レース番号R.csv」（例 20240505_東京_11R.csv）です。UTF-8（BOM 付き）なので、
Excel や LibreOffice でダブルクリックするとそのまま開けます。オッズ・人気・馬体重・増減・
払戻金は数値で入り、取消やオッズのない欄は空欄です。並び順は画面の表示どおりです。

■ Where to put it
Put Q-MvRCV98.exe in a folder you can write to (not under "Program Files"): its settings
file Q-MvRV98.ini and its display files (Mv*.dat) are written beside it. Nothing to install;
at the first start choose the betting software's folder in the settings window, close it and
start the viewer again.
TEXT

(cd "$stage" && cmake -E tar cf "$OLDPWD/dist/Q-MvRCV98-win64.zip" --format=zip \
    Q-MvRCV98.exe README.txt)
echo "dist/Q-MvRCV98-win64.zip written"
echo "Q-MvRCV98.exe: $(stat -c %s "$stage/Q-MvRCV98.exe") bytes; imports:" \
    $(x86_64-w64-mingw32-objdump -p "$stage/Q-MvRCV98.exe" | sed -n 's/^\s*DLL Name: //p')
