#include "number_field.hpp"

#include <commctrl.h>

#include "gbk.hpp"
#include "short_number.hpp"

namespace tolvane {
namespace {

constexpr UINT_PTR kSubclassId = 2;

LRESULT CALLBACK numberFieldProcedure(HWND editBox, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:  // the edit control takes IME characters directly, past WM_CHAR
      if (!acceptsTypedCharacter(wParam)) return 0;
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(editBox, message, wParam, lParam);
      normaliseNumberField(editBox);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(editBox, numberFieldProcedure, kSubclassId);
      break;
  }
  return DefSubclassProc(editBox, message, wParam, lParam);
}

}  // namespace

bool acceptsTypedCharacter(WPARAM character) {
  if (character < 32) return true;
  return (character >= '0' && character <= '9') || character == '-' || character == '.';
}

void normaliseNumberField(HWND editBox) {
  const std::wstring current = windowText(editBox);
  const std::wstring shortened = fromGbk(shortNumberText(toGbk(current)));
  if (shortened == current) return;
  DWORD selectionStart = 0;
  SendMessageW(editBox, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), 0);
  SetWindowTextW(editBox, shortened.c_str());
  SendMessageW(editBox, EM_SETSEL, selectionStart, selectionStart);
  SendMessageW(editBox, EM_SCROLLCARET, 0, 0);
}

void makeNumberField(HWND editBox) {
  SetWindowSubclass(editBox, numberFieldProcedure, kSubclassId, 0);
}

}  // namespace tolvane
