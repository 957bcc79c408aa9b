#include "dialogs/ColourDialog.h"

#include <array>
#include <string>

#include "settings/SettingsStore.h"

namespace {

// The token buttons' names, in ColourScheme::kTokens order; "-colour" follows.
constexpr std::array<const char*, ColourScheme::kTokenCount> kTokenNames = {
    "dollar",      "open-brace", "close-brace", "percent",           "backslash",         "open-bracket",
    "close-bracket", "open-paren", "close-paren", "display-math-open", "display-math-close"};

}  // namespace

ColourDialog::ColourDialog(SettingsStore& settings)
    : scheme(ColourScheme::Load(settings)), custom(ColourScheme::LoadCustomColours(settings)), settings_(settings) {}

DialogData ColourDialog::Build() {
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "色の設定　[テキスト・背景・文字]";
  d.controls.push_back(MakeColourButton(kTextColourId, "テキスト", scheme.text).Named("text-colour"));
  d.controls.push_back(MakeColourButton(kBackgroundColourId, "背景", scheme.background).Named("background-colour").SameLine());
  d.controls.push_back(MakeButton(kResetTextId, "左の2つをリセット").Named("reset-text-colours").SameLine());
  d.controls.push_back(MakeLabel("文字色の設定をします。もし同じ文字が含まれるときは右・下の方が優先されます。"));
  for (int k = 0; k < ColourScheme::kTokenCount; ++k) {
    DialogControl button = MakeColourButton(kFirstTokenId + k, ColourScheme::kTokens[static_cast<std::size_t>(k)],
                                            scheme.tokens[static_cast<std::size_t>(k)])
                                .Named(kTokenNames[static_cast<std::size_t>(k)] + std::string("-colour"));
    button.sameLine = k != 0 && k != 6;
    d.controls.push_back(std::move(button));
  }
  for (int i = 0; i < ColourScheme::kUserStringCount; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    DialogControl edit = MakeEdit(kFirstUserStringId + i, std::to_string(i + 1), scheme.userStrings[slot])
                             .Named("user-string-" + std::to_string(i + 1));
    edit.sameLine = i % 2 == 1;
    d.controls.push_back(std::move(edit));
    d.controls.push_back(MakeColourButton(kFirstUserColourId + i, "", scheme.userColours[slot])
                              .Named("user-colour-" + std::to_string(i + 1))
                              .SameLine());
  }
  d.controls.push_back(MakeLabel("色の選択で"));
  d.controls.push_back(MakeButton(kResetCustomId, "作成した色をリセット").Named("reset-custom-colours").SameLine());
  d.controls.push_back(MakeButton(kResetTokensId, "文字色を初期設定に戻す").Named("reset-token-colours"));
  d.controls.push_back(MakeButton(kResetAllId, "全てを初期設定に戻す").Named("reset-all").SameLine());
  d.customColours.assign(custom.begin(), custom.end());
  d.onButton = [this](DialogData& dialog, int id) {
    Read(dialog);  // what the user changed so far stays
    Reset(id);
    Fill(dialog);
  };
  return d;
}

void ColourDialog::Fill(DialogData& d) const {
  auto colour = [&](int id, Colour c) {
    if (DialogControl* control = d.Find(id)) control->value = static_cast<int>(c);
  };
  colour(kTextColourId, scheme.text);
  colour(kBackgroundColourId, scheme.background);
  for (int k = 0; k < ColourScheme::kTokenCount; ++k) colour(kFirstTokenId + k, scheme.tokens[static_cast<std::size_t>(k)]);
  for (int i = 0; i < ColourScheme::kUserStringCount; ++i) {
    colour(kFirstUserColourId + i, scheme.userColours[static_cast<std::size_t>(i)]);
    if (DialogControl* edit = d.Find(kFirstUserStringId + i)) edit->text = scheme.userStrings[static_cast<std::size_t>(i)];
  }
  d.customColours.assign(custom.begin(), custom.end());
}

void ColourDialog::Read(const DialogData& d) {
  auto colour = [&](int id) { return static_cast<Colour>(d.Value(id)); };
  scheme.text = colour(kTextColourId);
  scheme.background = colour(kBackgroundColourId);
  for (int k = 0; k < ColourScheme::kTokenCount; ++k) scheme.tokens[static_cast<std::size_t>(k)] = colour(kFirstTokenId + k);
  for (int i = 0; i < ColourScheme::kUserStringCount; ++i) {
    scheme.userColours[static_cast<std::size_t>(i)] = colour(kFirstUserColourId + i);
    scheme.userStrings[static_cast<std::size_t>(i)] = d.Text(kFirstUserStringId + i);
  }
  for (std::size_t j = 0; j < custom.size() && j < d.customColours.size(); ++j) custom[j] = d.customColours[j];
}

void ColourDialog::Reset(int id) {
  const ColourScheme defaults;
  if (id == kResetTextId || id == kResetAllId) {
    settings_.DeleteSection(ColourScheme::kTextSection);
    scheme.text = defaults.text;
    scheme.background = defaults.background;
  }
  if (id == kResetCustomId || id == kResetAllId) {
    settings_.DeleteSection(ColourScheme::kCustomSection);
    custom.fill(ColourScheme::kDefaultCustomColour);
  }
  if (id == kResetTokensId || id == kResetAllId) {
    settings_.DeleteSection(ColourScheme::kTokenSection);
    scheme.tokens = defaults.tokens;
    scheme.userStrings = defaults.userStrings;
    scheme.userColours = defaults.userColours;
  }
}

void ColourDialog::Store() const {
  scheme.Store(settings_);
  ColourScheme::StoreCustomColours(settings_, custom);
}
