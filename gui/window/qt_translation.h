// Qt's own texts (the standard buttons, the file and colour dialogs) in the
// program's language: Qt's Dutch translations while Dutch is chosen, Qt's
// built-in English otherwise.
#pragma once

#include <QTranslator>
#include <cstdint>

namespace zeko::gui {

class QtTranslation {
  public:
    QtTranslation() = default;
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;
    ~QtTranslation();

    // Installs or removes the translation for `language` (1 Dutch, 2
    // English). Without Qt's translation files Qt speaks English.
    void Apply(int16_t language);
    // Whether Qt's texts are Dutch now.
    bool Installed() const { return installed_; }

  private:
    void Remove();

    QTranslator translator_;
    bool loaded_ = false;
    bool installed_ = false;
};

}  // namespace zeko::gui
