// Undo sequences against a plain list of texts: random edits, pushes, undos
// and redos on the history and on a vector of strings; every snapshot the
// history answers must equal the list's, and undo and redo must put exactly
// that text into the buffer.
#include <vector>

#include "FuzzSupport.h"
#include "buffer/EditBuffer.h"
#include "undo/UndoHistory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  EditBuffer buffer;
  buffer.SetText(in.Bytes(64));
  UndoHistory history;
  history.Restart(buffer);
  std::vector<std::string> model{buffer.GetText()};
  std::size_t current = 0;

  for (int step = 0; step < 200 && !in.Empty(); ++step) {
    switch (in.Below(4)) {
      case 0: {  // an edit of the text, then its snapshot
        std::string text = buffer.GetText();
        const std::size_t at = in.Below(static_cast<std::uint32_t>(text.size() + 1));
        const std::size_t erase = in.Below(static_cast<std::uint32_t>(text.size() - at + 1));
        text.replace(at, erase, in.Bytes(8));
        if (in.Byte() & 1) text.append(in.Bytes(200));
        buffer.SetText(text);
        history.Push(buffer);
        ++current;
        if (current < model.size()) model[current] = buffer.GetText();
        else model.push_back(buffer.GetText());
        break;
      }
      case 1:
        FUZZ_CHECK(history.Undo(buffer) == (current > 0));
        if (current > 0) --current;
        break;
      case 2:
        FUZZ_CHECK(history.Redo(buffer) == (current + 1 < model.size()));
        if (current + 1 < model.size()) ++current;
        break;
      case 3: {
        const int len = buffer.GetTextLength();
        buffer.SetSel(static_cast<int>(in.Below(static_cast<std::uint32_t>(len + 1))),
                      static_cast<int>(in.Below(static_cast<std::uint32_t>(len + 1))));
        history.RecordSelection(buffer);
        break;
      }
    }
    FUZZ_CHECK(history.Current() == current);
    FUZZ_CHECK(history.Top() + 1 == model.size());
    FUZZ_CHECK(buffer.Text() == model[current]);
  }
  for (std::uint32_t i = 0; i < model.size(); ++i) FUZZ_CHECK(history.TextAt(i) == model[i]);
  while (history.Undo(buffer)) {}
  FUZZ_CHECK(buffer.Text() == model[0]);
  return 0;
}
