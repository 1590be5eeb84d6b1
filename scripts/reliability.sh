#!/usr/bin/env bash
# Runs every fuzz target, the fault tests and the kill test, and writes docs/RELIABILITY.md.
#
#   scripts/reliability.sh [RUNS]       RUNS executions per fuzz target (default 1000000)
#   scripts/reliability.sh --smoke SEC  each fuzz target for SEC seconds; no report (CI)
#
# FUZZ_TARGETS="results ini_file" limits the fuzz targets. Inputs that break a target's
# contract are kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

# The slowest first, so that the targets running side by side end at about the same time.
targets=(${FUZZ_TARGETS:-runner_files wide_odds quinella_odds meeting_index race_header
    bracket_quinella_odds results ini_file strict_conversions full_width compare_row_text})
smoke=0
runs=1000000
if [ "${1:-}" = "--smoke" ]; then
    smoke=1
    seconds=${2:-10}
elif [ -n "${1:-}" ]; then
    runs=$1
fi

scripts/deps.sh fuzz
cmake --preset fuzz -G Ninja >/dev/null
cmake --build --preset fuzz --target write-fuzz-seeds "${targets[@]/#/fuzz_}"
bin=build-fuzz/bin
work=build-fuzz/reliability
findings=build-fuzz/findings
rm -rf "$work/seeds"
mkdir -p "$work" "$findings"
"$bin/write-fuzz-seeds" "$work/seeds"
# The whole-window targets write files on every input: a memory file system keeps them fast.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=detect_leaks=1

declare -A what=(
    [meeting_index]="meeting discovery, then the venue's choice"
    [race_header]="race header from the five data files"
    [runner_files]="three runner files, merge, ranking, race card caches and grid"
    [bracket_quinella_odds]="bracket quinella odds, caches and panel"
    [quinella_odds]="quinella odds, caches and panel"
    [wide_odds]="wide odds, caches and panel"
    [results]="results panel"
    [ini_file]="INI read, write and read back"
    [strict_conversions]="strict integer and decimal conversions"
    [full_width]="full-width mapping"
    [compare_row_text]="sort comparison: antisymmetry, transitivity, keys, sort"
)

# One target's run; its report row goes to $work/$t.row, its verdict to $work/$t.ok.
run_target() {
    local t=$1 limit result start elapsed execs
    mkdir -p "$work/corpus/$t"
    limit=(-runs="$runs")
    [ $smoke -eq 1 ] && limit=(-max_total_time="$seconds")
    start=$(date +%s)
    rm -f "$work/$t.ok"
    if "$bin/fuzz_$t" "${limit[@]}" -timeout=20 -max_len=16384 -print_final_stats=1 \
        -artifact_prefix="$findings/$t-" "$work/corpus/$t" "$work/seeds/$t" \
        >"$work/$t.log" 2>&1; then
        result="clean"
        touch "$work/$t.ok"
    else
        result="FINDING: $(grep -m1 -E 'FINDING|ERROR' "$work/$t.log" || echo 'see log')"
    fi
    elapsed=$(($(date +%s) - start))
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$t.log" | grep -o '[0-9]*$' ||
        echo "?")
    echo "fuzz_$t: $execs executions in ${elapsed}s, $result"
    echo "| \`fuzz_$t\` | ${what[$t]} | $execs | ${elapsed} s | $result |" >"$work/$t.row"
}

# As many targets at a time as there are cores; the report keeps the order above.
jobs=$(nproc)
for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || true
    done
    run_target "$t" &
done
wait
fuzz_rows=""
failed=0
for t in "${targets[@]}"; do
    fuzz_rows+="$(cat "$work/$t.row")"$'\n'
    [ -f "$work/$t.ok" ] || failed=1
done
[ $smoke -eq 1 ] && exit $failed

# The fault tests, one row per test, from the test program's XML report.
cmake --preset sanitize -G Ninja >/dev/null
cmake --build --preset sanitize --target fault_tests
xml="$work/fault_tests.xml"
build/sanitize/bin/fault_tests --gtest_output="xml:$xml" >"$work/fault_tests.log" 2>&1 || failed=1
fault_rows=$(awk '
    /<testcase / {
        match($0, /name="[^"]*"/); name = substr($0, RSTART + 6, RLENGTH - 7)
        match($0, /classname="[^"]*"/); suite = substr($0, RSTART + 11, RLENGTH - 12)
        current = suite "." name; order[++n] = current; result[current] = "passed"
    }
    /<failure/ { result[current] = "FAILED" }
    /<property name="rounds"/ { match($0, /value="[0-9]*"/); rounds = substr($0, RSTART + 7, RLENGTH - 8) }
    /<property name="leftover_temporary_files"/ {
        match($0, /value="[0-9]*"/); leftovers = substr($0, RSTART + 7, RLENGTH - 8)
    }
    END {
        for (i = 1; i <= n; i++) printf "| `%s` | %s |\n", order[i], result[order[i]]
        if (rounds != "") printf "KILL %s %s\n", rounds, leftovers
    }' "$xml")
kill_line=$(grep '^KILL' <<<"$fault_rows" || true)
fault_rows=$(grep -v '^KILL' <<<"$fault_rows")
read -r _ kill_rounds kill_leftovers <<<"${kill_line:-KILL ? ?}"

cat >docs/RELIABILITY.md <<DOC
# Reliability

What was tried against the viewer's readers and writers, and what came of it. Written by
\`scripts/reliability.sh\` on $(date -u +%Y-%m-%d) ($(nproc) cores); run it again to refresh.

## Fuzz targets

libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer (clang, preset \`fuzz\`), seeds
from the sample folder. A target passes when every input either succeeds or fails with one of
the viewer's failure messages.

| target | what it drives | executions | time | result |
|---|---|---:|---:|---|
${fuzz_rows}
## Fault tests

\`fault_tests\` under AddressSanitizer and UndefinedBehaviorSanitizer.

| test | result |
|---|---|
${fault_rows}

## Killed writer

A writer rewriting the settings file was killed at random moments in ${kill_rounds} rounds;
after every round the file was exactly its old or its new content. Temporary files left by a
kill: ${kill_leftovers}; the clean-up that every start of the viewer runs removed each of them
and nothing else. The caches are derived data, written in place for every race: a kill may
leave one cut short until the next race is shown.
DOC
cat >>docs/RELIABILITY.md <<'DOC'

## Inputs and file systems

Cases in which the viewer once hung, lost or replaced a file, or misled, and what it does now.
Each has a test that failed before the change.

| case | what the viewer does | tests |
|---|---|---|
| A folder setting full of "*" | The file-name matcher makes one pass and goes back only to the last "*", so its work is bounded by the lengths of the pattern and the name: fifty "*" against a folder of 10,000 names take well under a millisecond (benchmark `PatternSearch`). Six "*" once froze the set-up check for 21 s. | `NameMatch` rows `ManyStarsThatCannotMatch`, `ManyStarsThatMatch` |
| A data file of gigabytes | Only line 1 is read, up to its line end or a NUL, so a 2 GB data file costs what its line 1 does (under 1 MB read in all). The results file's size rule still takes the size from the directory entry. | `ReadFaults.LineOneOfAHugeFileCostsWhatLineOneDoes`, `FirstLineOfTest`, `ReadFirstLine.*` |
| No read lease (network and FUSE file systems, a file of another user) | The file's size and modification time are taken before line 1 is read and again after; a change counts as a file still being written ("ファイル %s は開けません"). Where a lease can be had, a live writer is refused as before. A writer that holds the file open without writing during the read is seen only through a lease. | `ReadFaults.WithoutALeaseAFileAtRestIsRead`, `ReadFaults.WithoutALeaseAFileThatGrowsDuringTheReadIsStillBeingWritten` |
| A share that grants no read lease (SMB/CIFS, NFS: the kernel answers `EAGAIN` whenever the server has given it no read oplock or delegation) | On a network file system a refused lease says nothing about writers, whatever its `errno`: the file is read with the size-and-time check above, so a folder on a Windows share or a NAS shows every race as a local disk does. On local file systems (FUSE included, whose kernel side answers leases itself) `EAGAIN` still means a writer is at work. | `ReadFaults/LeaseAnswer.TellsAFileAtRestFromOneBeingWritten/*` (file system × `errno`, a writer appending during the read on a share), `WindowFaults.ShareRefusingEveryLeaseShowsTheRaceAsALocalDiskDoes` |
| Writing the caches | Each cache is created, or written in place and cut to its new length. A cache the user made read-only (no write permission for anyone, also when the viewer runs as root; the read-only attribute on Windows), or anything but a regular file there, fails with "ファイル %s を作成できません" and is left as it is. A symbolic link is followed. A program folder in which nothing can be created still has its existing caches rewritten. | `WriteLines.*`, `WindowFaults.ReadOnlyProgramFolderStillRewritesItsCaches`, `WindowFaults.ReadOnlyCacheStopsTheLoadAndIsKept`, `WindowFaults.ReadOnlyProgramFolderWithoutCachesStopsTheLoad` |
| Writing the settings file | Still whole at every moment (a temporary file beside it, renamed over it), but a read-only settings file fails with "%s に書き込めません" and keeps every byte; a symbolic link is followed and the file it names is replaced; in a folder that cannot be written the file is written in place. A failed write removes its temporary file, and every start removes those a crash left (named "<file>.~XXXXXX.tmp"), nothing else. | `IniFile.AReadOnlyFileIsNotWrittenOver`, `IniFile.ASymbolicLinkIsFollowedAndTheFileItNamesReplaced`, `SettingsFaults.*`, `RemoveLeftoverTemporaries.*`, `KillTest.*` |
| Names that do not survive code page 932 | The executable's folder is used as the system names it, so the settings file and the caches work in a folder named with any character. A name that must become code page 932 (a chosen or typed folder, a directory entry) must convert back to the same name: WAVE DASH, EM DASH, MINUS SIGN, YEN SIGN and the like are refused where the user chose them, with the chooser's message, and never become another path. | `Codec.TextThatWouldComeBackAsOtherCharactersIsRefused`, `FolderChoice.*`, `FileQuery/ShownPathTest.*`, `WindowsViewer.ProgramFolderOutsideCodePage932Works` |
| Two viewers started from one folder | One viewer per program folder: a lock file beside the executable ("Q-MvRCV98.lock") and a local socket on Linux, a named mutex on Windows. A second start ends only once the running viewer has confirmed that it came forward (its window found and answering within 1 s on Windows, an answer over the socket on Linux). Otherwise it waits for the lock: a viewer that is ending lets go of it as soon as its window has gone, and the new start then runs as the only viewer. A lock held for 10 s with no viewer answering (a hung viewer) is said in a message box with the application title ("既に起動しているビューアが応答しません。…"), and the start ends with exit code 1. | `InstanceLock.*`, `InstanceName.*`, `SecondStart/RunningViewer.DecidesWhetherTheStartRunsOrEnds/*`, `SingleViewer.*`, `ViewerFolder.*`, `WindowsViewer.ASecondStartFromTheSameFolderBringsTheFirstForwardAndEnds`, `WindowsViewer.AStartWhileTheFirstIsEndingShowsItsWindowOnceTheFirstLetsGo`, `WindowsViewer.AStartFindingAViewerThatNeitherAnswersNorEndsSaysSo` |
| Another local account on the second-start socket (Linux: the abstract namespace has no file permissions) | The running viewer takes a request only from a peer of its own user (`SO_PEERCRED`), and answers nothing to others; a second start sends its request only to a listener of its own user and trusts only that one's answer. An account that binds the name first cannot raise the user's window; the user's second start then finds no viewer answering and says so after 10 s. | `ForwardChannel.*`, `ForwardChannel/AskingTheListener.ConfirmsOnlyAnAnswerOfThisUser/*` |
| The settings file saved as UTF-16 | Not written: the write fails with "%s に書き込めません" and the file keeps every byte. | `IniFile.AFileInUtf16IsNotWrittenOver` |
| Values with blanks at either end | Stored as they are, as the system's profile functions store them, and read back without the blanks (and without one pair of enclosing quotes); line breaks are still refused. A folder pasted with a blank before it is used without it. | `IniFile/ValueRoundTripTest.*`, `SettingsFileTest.FolderPastedWithALeadingBlankReadsBackWithoutIt` |
| Markup in a message | The Qt message boxes show their text as plain text ("<b>" and "&lt;" as they are). | `MainWindowTest.BoxesShowTheirTextAsItIs` |
| A failure box over the old window | Both views show the window as the failed handler left it, cleared panels included, before the box. | `Dispatch.StateIsShownBeforeTheFailureBox`, `MainWindowTest.FailureBoxStandsOverTheWindowAsTheHandlerLeftIt`, `WindowsViewer.FileBeingWrittenShowsTheFailureBoxAndWhatWasFilledBeforeIt` |
| Decimal values beyond a double's range | Digits with an exponent convert: "1e999" to infinity, "1e-400" to zero, and sort accordingly. | `Fields/StrToFloatStrictTest.*` |
| Bytes that code page 932 leaves undefined | Read as the system reads them: a lead byte takes the byte after it (a pair that names no character, and a lead byte alone, read as "・"), 0x80 as U+0080, 0xA0 and 0xFD-0xFF as private characters. The display conversion, the full-width mapping and the sort comparison agree with the system's on every byte and every lead byte pair; under Wine the comparison and the mapping agree on 100,000 random byte texts, invalid sequences included, the sort keys byte for byte. The sort weights are recorded from the system (`scripts/record-locale.sh`). | `Codec.DisplaysEveryUnitAsTheSystemDoes`, `PortableToFullWidth.AgreesWithTheSystemOnEveryUnitAndRandomBytes`, `PortableCompareRowText.AgreesWithTheSystemOnRandomBytes`, `PortableRowSortKey.IsTheSystemsKeyForEveryRecordedCharacter`, `Locale.SystemAndPortableAgreeOnRandomBytes` (Wine) |

Where faults could hide before: where a failure in each odds stage ends the race load
(`Stages/RaceLoadStage.*`), which panel and caches each sort and normal button shows
(`Buttons/TableOrderButton.*`), a failure in the race change a venue click nests
(`RaceLoad.FailureInTheRaceChangeOfAVenueClickEndsTheWholeClick`), and the Qt folder chooser
(`FolderChooser.*`). The Windows folder chooser is driven end to end under Wine only through its
start folder, OK and Cancel: Wine's shell chooser does not read its edit field, so a typed folder
(and the question before it is made) is tested through the shared `ConfirmChosenFolder` only.
DOC
echo "Wrote docs/RELIABILITY.md"
exit $failed
