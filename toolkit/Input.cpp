// Input helpers that go through the same entry points as a backend's real input.
#include "toolkit/Input.h"

#include "toolkit/Cp1252.h"

#include <stdexcept>

void ClickControl(TForm& form, const std::string& name) { ControlOf<TControl>(form, name).Click(); }

void MouseDownOn(TForm& form, const std::string& name) {
  ControlOf<TControl>(form, name).MouseDown();
}

void PressKey(TForm& form, int key, TShiftState shift) { form.KeyDown(key, shift); }

void TypeChar(TForm& form, char32_t character) {
  int key = 0;
  TShiftState shift = 0;
  if (character >= 'a' && character <= 'z') {
    key = static_cast<int>(character - 'a' + 'A');
  } else if (character >= 'A' && character <= 'Z') {
    key = static_cast<int>(character);
    shift = ssShift;
  } else if (character < 0x80) {
    key = static_cast<int>(character);
  }
  if (key != 0)
    form.KeyDown(key, shift);
  form.KeyPress(character);
}

void TypeText(TForm& form, const std::string& text) {
  for (char32_t character : Utf8ToCodePoints(text))
    TypeChar(form, character);
}

void ChooseMenu(TForm& form, const std::string& name) {
  auto* item = form.Find<TMenuItem>(name);
  if (item == nullptr)
    throw std::logic_error("Kein Menüeintrag " + name + " in " + form.Name());
  item->Click();
}
