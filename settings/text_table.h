// The numbered texts of the program in Dutch and English, one language at a
// time, and the help that goes with the language (texts).
//
// Texts are UTF-8. "&" marks a menu or control access key; text 69 holds a
// CR LF line break; text 24 is empty in both languages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zeko::settings {

inline constexpr int kTextCount = 164;
inline constexpr int16_t kDutch = 1;
inline constexpr int16_t kEnglish = 2;

// The shipped text of `number` in `language`; empty for a number outside
// 0-163 or a language other than Dutch and English.
std::string_view BuiltInText(int16_t language, int number);

// The text table of one language and the path of that language's help.
class TextTable {
  public:
    // The help lives beside the program, in `programFolder`.
    explicit TextTable(std::string programFolder);

    // The language the program shows; 1 Dutch, 2 English.
    int16_t CurrentLanguage() const { return currentLanguage_; }
    void SetCurrentLanguage(int16_t language) { currentLanguage_ = language; }
    // The language of the table's content; 0 before the first lookup.
    int16_t LoadedLanguage() const { return loadedLanguage_; }

    // The text of `number` in `language` (0: the current language). Asking
    // for another language than the loaded one switches the whole table and
    // the help to it; a language other than 1 and 2 keeps the table's content
    // and leaves the help without a language. A number outside 0-163 gives an
    // empty text.
    std::string GetText(int number, int16_t language = 0);

    // <program folder>/zeko_nl or <program folder>/zeko_en: the help of the
    // loaded language.
    const std::string& HelpFile() const { return helpFile_; }

  private:
    std::string programFolder_;
    int16_t currentLanguage_ = kEnglish;
    int16_t loadedLanguage_ = 0;
    int16_t tableLanguage_ = 0;
    std::string helpFile_;
};

// The program's one text table, which every window reads its captions from.
namespace texts {

TextTable& Table();

inline std::string GetText(int number, int16_t language = 0) {
    return Table().GetText(number, language);
}
// The text of a number in the current language; fits where a text source
// taking only the number is wanted.
inline std::string CurrentText(int number) {
    return Table().GetText(number);
}
inline int16_t CurrentLanguage() {
    return Table().CurrentLanguage();
}
inline void SetCurrentLanguage(int16_t language) {
    Table().SetCurrentLanguage(language);
}
inline const std::string& HelpFile() {
    return Table().HelpFile();
}

}  // namespace texts

}  // namespace zeko::settings
