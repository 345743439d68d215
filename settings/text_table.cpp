#include "settings/text_table.h"

#include <array>
#include <utility>

#include "platform/program_path.h"

namespace zeko::settings {

namespace {

using TextArray = std::array<std::string_view, kTextCount>;

constexpr TextArray kDutchTexts = {
    "&Partij",                                                               // 0
    "&Nieuwe",                                                               // 1
    "&Laad...",                                                              // 2
    "&Sla op",                                                               // 3
    "Sla op &als...",                                                        // 4
    "&Tegenstander",                                                         // 5
    "&Computer",                                                             // 6
    "&Mens",                                                                 // 7
    "&Pas",                                                                  // 8
    "Zet N&u",                                                               // 9
    "&Zet terug",                                                            // 10
    "Zet &vooruit",                                                          // 11
    "&Bedenktijd uit",                                                       // 12
    "&Einde",                                                                // 13
    "&Niveau",                                                               // 14
    "Beginner",                                                              // 15
    "Onervaren",                                                             // 16
    "Amateur",                                                               // 17
    "Gevorderd",                                                             // 18
    "Ervaren",                                                               // 19
    "Expert",                                                                // 20
    "Profspeler",                                                            // 21
    "Meester",                                                               // 22
    "Grootmeester",                                                          // 23
    "",                                                                      // 24
    "&Toon",                                                                 // 25
    "&Zet-indicator",                                                        // 26
    "K&nipper veld",                                                         // 27
    "Kni&pper klok",                                                         // 28
    "&Tijdbalk",                                                             // 29
    "&Veldletters",                                                          // 30
    "Schadu&w",                                                              // 31
    "&Graphische stenen",                                                    // 32
    "Graphische &scores",                                                    // 33
    "&Speciaal",                                                             // 34
    "&Analyse...",                                                           // 35
    "&Nieuwe stelling...",                                                   // 36
    "Niveau &info...",                                                       // 37
    "&Opties...",                                                            // 38
    "&Hulp",                                                                 // 39
    "&Inhoud...",                                                            // 40
    "&Index...",                                                             // 41
    "&Over Zeko...",                                                         // 42
    "Mens",                                                                  // 43
    "Computer",                                                              // 44
    "Mens 1",                                                                // 45
    "Mens 2",                                                                // 46
    "Nadenken",                                                              // 47
    "Welkom  bij  het",                                                      // 48
    "oude  Afrikaanse",                                                      // 49
    "bordspel  Zeko !",                                                      // 50
    "OK",                                                                    // 51
    "Annuleer",                                                              // 52
    "Hulp",                                                                  // 53
    "&Vorig formaat",                                                        // 54
    "V&erplaatsen",                                                          // 55
    "&Pictogram",                                                            // 56
    "&Sluiten",                                                              // 57
    "Taak&overzicht...",                                                     // 58
    "Analyseer stelling",                                                    // 59
    "Bezig met analyse...",                                                  // 60
    "&Analyseer",                                                            // 61
    "&Hoofdvariant",                                                         // 62
    "Analyse&niveau",                                                        // 63
    "&Bereken hoofdvariant",                                                 // 64
    "Hoofdvariant :",                                                        // 65
    "Analyseniveau ",                                                        // 66
    "Berekend :",                                                            // 67
    "Bezig met analyse...",                                                  // 68
    "Bezig met\r\nhoofdvariant...",                                          // 69
    "Winst in ",                                                             // 70
    "Verlies in ",                                                           // 71
    "Illegaal",                                                              // 72
    "Zet nieuwe stelling op",                                                // 73
    "&Leeg bord",                                                            // 74
    "&Vorig bord",                                                           // 75
    "is aan &zet",                                                           // 76
    "Over ",                                                                 // 77
    "Versie ",                                                               // 78
    "Niveau informatie overzicht",                                           // 79
    "&Bepaal",                                                               // 80
    "Niveau",                                                                // 81
    "Sterkte",                                                               // 82
    "Antwoord",                                                              // 83
    "Zeer snel",                                                             // 84
    "Opties",                                                                // 85
    "Kleuren",                                                               // 86
    "Taal",                                                                  // 87
    "Antwoordvertraging",                                                    // 88
    "Namen",                                                                 // 89
    "Partijbestand",                                                         // 90
    "Zeko achtergrond",                                                      // 91
    "Veld achtergrond",                                                      // 92
    "Stenen",                                                                // 93
    "Stenen achtergrond",                                                    // 94
    "Tijdbalk voorgrond",                                                    // 95
    "Tijdbalk achtergrond",                                                  // 96
    "Scoretekst",                                                            // 97
    "Klok voorgrond",                                                        // 98
    "Klok achtergrond",                                                      // 99
    "Bord achtergrond",                                                      // 100
    "Scorebalken",                                                           // 101
    "Zet-indicator achtergrond",                                             // 102
    "Zet-indicator voorgrond",                                               // 103
    "Schaduw",                                                               // 104
    "Knipper achtergrond",                                                   // 105
    "Nieuwe stelling achtergrond",                                           // 106
    "Veldletters",                                                           // 107
    "Voorbeeld:",                                                            // 108
    "&Verander...",                                                          // 109
    "Standaardschema &1",                                                    // 110
    "Standaardschema &2",                                                    // 111
    "&Instelbare kleuren",                                                   // 112
    "&Monochroom",                                                           // 113
    "&Nederlands",                                                           // 114
    "&Engels",                                                               // 115
    "&Vertraag antwoord",                                                    // 116
    "&Klik om antwoord te zien",                                             // 117
    "Va&ste vertraging",                                                     // 118
    "Vertraag met %1 seconden",                                              // 119
    "Naam &onderste helft",                                                  // 120
    "Naam &bovenste helft",                                                  // 121
    "Naam van een partijbestand:",                                           // 122
    "Altijd vragen",                                                         // 123
    "Slechts eenmaal vragen",                                                // 124
    "Altijd standaard gebruiken",                                            // 125
    "Standaard partijbestand:",                                              // 126
    "Partij afgelopen",                                                      // 127
    "Herhaling van zetten",                                                  // 128
    "Tijdsoverschrijding",                                                   // 129
    "U zult sneller moeten gaan denken.",                                    // 130
    "Deze keer waren we dus gelijkwaardig.",                                 // 131
    "Tja, dit is een moeilijk spel, hoor.",                                  // 132
    "Houdt U zich maar bij het laagste niveau.",                             // 133
    "Misschien kunt U beter een lager niveau proberen!",                     // 134
    "U hebt het ",                                                           // 135
    " niveau verslagen.",                                                    // 136
    "Tijd voor een hoger niveau.",                                           // 137
    "Dit niveau was duidelijk te makkelijk.",                                // 138
    "Een krappe overwinning, goed gedaan.",                                  // 139
    "Gefeliciteerd, ik verlies zelden zo duidelijk!",                        // 140
    "U bent kennelijk te sterk voor me!",                                    // 141
    "Selecteer partij",                                                      // 142
    "partijen in partijbestand",                                             // 143
    "Datum",                                                                 // 144
    "Onderste helft",                                                        // 145
    "Bovenste helft",                                                        // 146
    "Zetten",                                                                // 147
    "Niveau",                                                                // 148
    "Stand",                                                                 // 149
    "&Wis partij",                                                           // 150
    "&Laad partij",                                                          // 151
    "Oefenpartij",                                                           // 152
    "Fout bij openen partijenbestand",                                       // 153
    "Fout bij laden van partij.",                                            // 154
    "Fout bij laden van zetten.",                                            // 155
    "Fout bij opslaan van partij.",                                          // 156
    "Fout bij opslaan van zetten.",                                          // 157
    "Fout bij wissen van partij.",                                           // 158
    "Geen ruimte meer in partijenbestand.",                                  // 159
    "Incorrect bestandsformaat!",                                            // 160
    "Ongeldige partij.",                                                     // 161
    "Ongeldige zetten.",                                                     // 162
    "Een partij vanuit een opgezette stelling kan niet worden opgeslagen.",  // 163
};

constexpr TextArray kEnglishTexts = {
    "&Game",                                           // 0
    "&New",                                            // 1
    "&Load...",                                        // 2
    "&Save",                                           // 3
    "Save &As...",                                     // 4
    "&Opponent",                                       // 5
    "&Computer",                                       // 6
    "&Human",                                          // 7
    "&Pass",                                           // 8
    "&Move now",                                       // 9
    "Take &Back",                                      // 10
    "&Replay",                                         // 11
    "&Timer Off",                                      // 12
    "E&xit",                                           // 13
    "&Skill",                                          // 14
    "Beginner",                                        // 15
    "Novice",                                          // 16
    "Amateur",                                         // 17
    "Advanced",                                        // 18
    "Skilful",                                         // 19
    "Expert",                                          // 20
    "Professional",                                    // 21
    "Master",                                          // 22
    "Grandmaster",                                     // 23
    "",                                                // 24
    "&View",                                           // 25
    "&Move Indicator",                                 // 26
    "&Flashing Moves",                                 // 27
    "Flashing &Clock",                                 // 28
    "&Time Bar",                                       // 29
    "Field &Labels",                                   // 30
    "Shado&w",                                         // 31
    "&Graphic Chips",                                  // 32
    "Graphic &Scores",                                 // 33
    "&Tools",                                          // 34
    "&Analysis...",                                    // 35
    "&New Position...",                                // 36
    "Level &Info...",                                  // 37
    "&Options...",                                     // 38
    "&Help",                                           // 39
    "&Contents...",                                    // 40
    "&Index...",                                       // 41
    "&About Zeko...",                                  // 42
    "Human",                                           // 43
    "Computer",                                        // 44
    "Human 1",                                         // 45
    "Human 2",                                         // 46
    "Thinking",                                        // 47
    "Welcome  to  the",                                // 48
    "ancient  African",                                // 49
    "game  of  Zeko !",                                // 50
    "OK",                                              // 51
    "Cancel",                                          // 52
    "Help",                                            // 53
    "&Restore",                                        // 54
    "&Move",                                           // 55
    "Mi&nimize",                                       // 56
    "&Close",                                          // 57
    "S&witch to...",                                   // 58
    "Analyze Position",                                // 59
    "Analyzing...",                                    // 60
    "&Analyze",                                        // 61
    "&Main Line",                                      // 62
    "Analysis &Level",                                 // 63
    "&Calculate Main Line",                            // 64
    "Main Line :",                                     // 65
    "Analysis Level ",                                 // 66
    "Progress :",                                      // 67
    "Analyzing...",                                    // 68
    "Calculating\r\nMain Line...",                     // 69
    "Win in ",                                         // 70
    "Loss in ",                                        // 71
    "Illegal",                                         // 72
    "Set Up New Position",                             // 73
    "&Clear Board",                                    // 74
    "&Reset Board",                                    // 75
    "Moves &Next",                                     // 76
    "About ",                                          // 77
    "Version ",                                        // 78
    "Level Information Table",                         // 79
    "&Recalculate",                                    // 80
    "Level",                                           // 81
    "Strength",                                        // 82
    "Response Time",                                   // 83
    "Very Fast",                                       // 84
    "Options",                                         // 85
    "Colours",                                         // 86
    "Language",                                        // 87
    "Response Delay",                                  // 88
    "Names",                                           // 89
    "Game File",                                       // 90
    "Zeko Background",                                 // 91
    "Field Background",                                // 92
    "Chips",                                           // 93
    "Chips Background",                                // 94
    "Time Bar Foreground",                             // 95
    "Time Bar Background",                             // 96
    "Score Text",                                      // 97
    "Clock Foreground",                                // 98
    "Clock Background",                                // 99
    "Board Background",                                // 100
    "Score Bars Background",                           // 101
    "Move Indicator Background",                       // 102
    "Move Indicator Foreground",                       // 103
    "Shadow",                                          // 104
    "Flash Background",                                // 105
    "New Position Background",                         // 106
    "Field Labels",                                    // 107
    "Sample:",                                         // 108
    "C&hange...",                                      // 109
    "Default colour scheme &1",                        // 110
    "Default colour scheme &2",                        // 111
    "&Custom colour scheme",                           // 112
    "&Monochrome",                                     // 113
    "&Dutch",                                          // 114
    "&English",                                        // 115
    "&Delay game response",                            // 116
    "&Click to see response",                          // 117
    "&Fixed delay",                                    // 118
    "Delay by %1 seconds",                             // 119
    "Name Lo&wer half",                                // 120
    "Name &Upper half",                                // 121
    "When a Game File is needed:",                     // 122
    "Always ask",                                      // 123
    "Ask once per session only",                       // 124
    "Always use default file",                         // 125
    "Default Game File:",                              // 126
    "End of Game",                                     // 127
    "Repetition of Moves",                             // 128
    "Excess of Time Used",                             // 129
    "You really should try to think faster.",          // 130
    "So we're back on equal terms again.",             // 131
    "Never mind, this is a difficult game to play.",   // 132
    "Keep trying on the lowest level.",                // 133
    "Perhaps you'd better try a lower level!",         // 134
    "You beat the ",                                   // 135
    " level.",                                         // 136
    "Now try a higher level.",                         // 137
    "This level is too easy for you.",                 // 138
    "A tight win for you, well done.",                 // 139
    "Congratulations, I rarely lose so clearly!",      // 140
    "You are too strong for me now!",                  // 141
    "Select Game",                                     // 142
    "games in game file",                              // 143
    "Date",                                            // 144
    "Bottom Half",                                     // 145
    "Top Half",                                        // 146
    "Moves",                                           // 147
    "Level",                                           // 148
    "Score",                                           // 149
    "&Delete Game",                                    // 150
    "&Load Game",                                      // 151
    "Practice game",                                   // 152
    "Error opening Zeko Game File.",                   // 153
    "Error loading game.",                             // 154
    "Error loading moves.",                            // 155
    "Error saving game.",                              // 156
    "Error saving moves.",                             // 157
    "Error deleting game.",                            // 158
    "No more room in Zeko Game File.",                 // 159
    "Incorrect File Format!",                          // 160
    "Invalid Game.",                                   // 161
    "Invalid Moves.",                                  // 162
    "A game from a set-up position cannot be saved.",  // 163
};

const TextArray* TextsOf(int16_t language) {
    switch (language) {
        case kDutch:
            return &kDutchTexts;
        case kEnglish:
            return &kEnglishTexts;
        default:
            return nullptr;
    }
}

std::string_view CodeOf(int16_t language) {
    switch (language) {
        case kDutch:
            return "nl";
        case kEnglish:
            return "en";
        default:
            return "";
    }
}

}  // namespace

std::string_view BuiltInText(int16_t language, int number) {
    const TextArray* texts = TextsOf(language);
    if (texts == nullptr || number < 0 || number >= kTextCount) return {};
    return (*texts)[static_cast<std::size_t>(number)];
}

TextTable::TextTable(std::string programFolder) : programFolder_(std::move(programFolder)) {}

std::string TextTable::GetText(int number, int16_t language) {
    const int16_t wanted = language != 0 ? language : currentLanguage_;
    if (wanted != loadedLanguage_) {
        loadedLanguage_ = wanted;
        // An unknown language leaves the texts of the last known one.
        if (TextsOf(wanted) != nullptr) tableLanguage_ = wanted;
        helpFile_ = programFolder_ + "/zeko_" + std::string(CodeOf(wanted));
    }
    return std::string(BuiltInText(tableLanguage_, number));
}

namespace texts {

TextTable& Table() {
    static TextTable table(platform::FolderOf(platform::ProgramPath()));
    return table;
}

}  // namespace texts

}  // namespace zeko::settings
