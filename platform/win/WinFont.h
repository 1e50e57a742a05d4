#pragma once
// A GDI font as a platform font, and the making of GDI fonts by face name.
#include <windows.h>

#include <memory>

#include "base/IString.h"
#include "platform/PlatformFont.h"

namespace ifx {
namespace igfx {

class WinFont : public PlatformFont
{
public:
  // Takes the HFONT over. styleName: "Regular", "Bold" or "Italic" for a
  // font found by name (it picks the face of a collection), "" for one
  // installed from memory. systemFont: found among the installed fonts.
  WinFont(HFONT font, const char* styleName, bool systemFont);
  ~WinFont() override;

  void* GetHandle() const override { return mFont; }
  // The font file (the whole collection for a face of one) as GDI has it,
  // with the face this font stands for.
  std::unique_ptr<FontFileData> GetFileData() const override;

  bool IsSystemFont() const { return mSystemFont; }
  const char* GetStyleName() const { return mStyleName.Get(); }

private:
  HFONT mFont = nullptr;
  IString mStyleName;
  bool mSystemFont = false;
};

// A GDI font of the UTF-8 face name, or null. With checkExists the face must
// be among the fonts GDI can enumerate. The font GDI made must carry exactly
// that face name, so a face GDI substitutes for a missing one gives null;
// names longer than 31 characters (GDI's limit) give null too. The checks
// run on dc, which keeps its own font; null: the screen's DC.
HFONT CreateGdiFont(const char* faceName, int weight, bool italic, bool underline, bool checkExists, HDC dc = nullptr);

} // namespace igfx
} // namespace ifx
