#include "tools/SampleFolderTables.h"

namespace mv::sample {
namespace {

constexpr std::array<std::string_view, 24> Prefixes{
    "ｷﾀﾉ", "ﾐﾅﾐﾉ", "ﾊﾙｶ", "ｿﾗﾉ", "ｱｵｲ",  "ｼﾛｶﾞﾈ", "ｸﾛｶﾞﾈ", "ｷﾝｲﾛ", "ﾐﾄﾞﾘ", "ｱｶﾂｷ", "ﾕｳﾋﾞ", "ﾅﾅﾎｼ",
    "ﾓﾘﾉ", "ｶｾﾞﾉ", "ﾐｻｷ", "ﾀｶﾈ", "ｳﾐﾍﾞ", "ﾂｷﾉ",   "ﾎｼﾉ",   "ﾊﾔﾃ",  "ﾋｶﾘ",  "ｻｲﾊﾃ", "ｺﾊｸ",  "ﾙﾘｲﾛ",
};

constexpr std::array<std::string_view, 24> Suffixes{
    "ﾌﾞﾛｯｻﾑ", "ｽﾀｰ",   "ｳｲﾝﾄﾞ", "ﾗｲｼﾞﾝｸﾞ", "ﾃｲｵｰ", "ｷｯｽ",  "ｼﾞｬｽﾄ", "ﾛｰﾄﾞ",
    "ﾌﾗｯｼｭ",  "ﾒﾛﾃﾞｨ", "ｾｲﾝﾄ",  "ﾌｫﾙﾃ",    "ｱﾛｰ",  "ｸｲｰﾝ", "ﾊﾟｰﾙ",  "ｼﾁｰ",
    "ﾀﾞﾝｻｰ",  "ｵｰｼｬﾝ", "ﾅｲﾄ",   "ﾓｰﾆﾝｸﾞ",  "ｴｰｽ",  "ﾊﾞﾛﾝ", "ﾘﾎﾞﾝ",  "ﾏｰﾁ",
};

constexpr std::array<std::string_view, 8> FullWidthNames{
    "ハルカゼ",   "ミヤコドリ", "アサギリ", "ユキアカリ",
    "ホシミズキ", "ツキノワ",   "ナギサ",   "カガリビ",
};

constexpr std::array<std::string_view, 20> Surnames{
    "佐藤", "田中", "高橋", "小林", "山本", "中村", "石井", "松田", "森田", "岡部",
    "藤原", "西村", "池田", "吉川", "三浦", "菅原", "柴山", "北沢", "横井", "丸山",
};

constexpr std::array<std::string_view, 16> GivenNames{
    "健一", "翔", "大輔", "亮", "誠",   "拓也", "悠斗", "勝己",
    "修",   "隼", "友和", "剛", "颯太", "蓮",   "和真", "圭",
};

constexpr std::array<Programme, 12> Programme12{{
    {"ダ", 1200, "３歳未勝利", "サラ系３歳　未勝利　馬齢", 56, false},
    {"芝", 1600, "３歳未勝利", "サラ系３歳　未勝利　馬齢", 56, false},
    {"ダ", 1400, "３歳未勝利", "サラ系３歳　未勝利　馬齢", 56, false},
    {"芝", 2000, "３歳新馬", "サラ系３歳　新馬　馬齢", 56, true},
    {"ダ", 1800, "３歳１勝クラス", "サラ系３歳　１勝クラス", 56, false},
    {"芝", 1400, "４歳以上１勝クラス", "４歳以上　１勝クラス　定量", 57, false},
    {"ダ", 1600, "４歳以上１勝クラス", "４歳以上　１勝クラス　定量", 57, false},
    {"芝", 1800, "若菜賞", "４歳以上　２勝クラス　定量", 57, false},
    {"ダ", 2100, "白樺特別", "４歳以上　２勝クラス　定量", 57, false},
    {"芝", 2400, "新緑ステークス", "４歳以上　３勝クラス　定量", 57, false},
    {"芝", 1600, "青葉台ステークス", "３歳オープン　別定", 56, false},
    {"ダ", 1300, "４歳以上２勝クラス", "４歳以上　２勝クラス　定量", 57, false},
}};

} // namespace

std::span<const std::string_view> HorseNamePrefixes() {
    return Prefixes;
}
std::span<const std::string_view> HorseNameSuffixes() {
    return Suffixes;
}
std::span<const std::string_view> FullWidthHorseNames() {
    return FullWidthNames;
}
std::span<const std::string_view> JockeySurnames() {
    return Surnames;
}
std::span<const std::string_view> JockeyGivenNames() {
    return GivenNames;
}
const std::array<Programme, 12>& DayProgramme() {
    return Programme12;
}

} // namespace mv::sample
