#include "bench/ShiftJisText.h"

#include <iterator>
#include <map>
#include <utility>
#include <random>

namespace {

const char* const JapaneseWords[] = {
    "東京", "大阪", "日本語", "文字列", "置換", "設定", "表示", "検索", "結果", "予定", "能力", "会議",
    "資料", "作成", "変更", "確認", "処理", "時間", "今日", "明日", "担当", "部長", "報告", "申請",
    "承認", "の", "は", "を", "に", "が", "と", "で", "です", "ます", "した", "する", "から", "まで",
    "ください", "こと", "もの", "ように", "ファイル", "データ", "テキスト", "ソフト", "サーバー",
    "ユーザー", "メール", "フォルダ", "ボタン", "ウィンドウ", "システム", "、", "。", "「", "」", "（", "）",
};

const char* const AsciiWords[] = {
    "Tarvelox", "file", "data", "text", "version", "2024", "10", "OK", "README.txt", "C:\\Users\\",
    "http", "=", "(", ")", ",", ".", " ", "Windows", "Shift_JIS", "CR LF", "build", "v1.2",
};

}  // namespace

ShiftJisText MakeShiftJisText(std::size_t size, std::string_view planted, std::size_t interval)
{
    ShiftJisText text;
    text.Bytes.reserve(size + 256);
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> japanese(0, std::size(JapaneseWords) - 1);
    std::uniform_int_distribution<std::size_t> ascii(0, std::size(AsciiWords) - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<std::size_t> lineLength(20, 80);
    std::size_t nextPlant = interval;
    while (text.Bytes.size() < size) {
        const std::size_t lineEnd = text.Bytes.size() + lineLength(random);
        while (text.Bytes.size() < lineEnd) {
            if (!planted.empty() && text.Bytes.size() >= nextPlant) {
                text.Bytes += planted;
                ++text.Planted;
                nextPlant += interval;
            }
            text.Bytes += percent(random) < 75 ? JapaneseWords[japanese(random)] : AsciiWords[ascii(random)];
        }
        text.Bytes += "\r\n";
    }
    return text;
}

const ShiftJisText& SharedShiftJisText(const std::string& planted, std::size_t interval)
{
    static std::map<std::pair<std::string, std::size_t>, ShiftJisText> texts;
    auto [entry, added] = texts.try_emplace({planted, interval});
    if (added)
        entry->second = MakeShiftJisText(std::size_t{64} << 20, planted, interval);
    return entry->second;
}
