#pragma once
// The about panel over the whole editor, opened and closed by the Fennow
// icon: the product's title, maker and version, an information page, and a
// button that runs the version check and shows its result, with a link to
// the download page when a newer version is out.
#include "plugin/editor/PopupPanel.h"

namespace murkwisp {

class AboutPopup : public PopupPanel
{
public:
  AboutPopup(const ifx::igfx::IRECT& bounds, const ifx::igfx::IRgba& panelColor, const ifx::igfx::IRgba& textColor,
             const ifx::igfx::IRgba& accentColor);

  void SetOpen(bool open);

  void Draw(ifx::igfx::IGfx& g) override;
  void DrawInfoPage(ifx::igfx::IGfx& g, const ifx::igfx::IRECT& content);
  void OnMouseDown(float x, float y, const ifx::igfx::IMouseModifiers& mod) override;

  // The 420 x 620 panel at the editor's centre.
  ifx::igfx::IRECT GetPanelRECT() const;
  // Where the last frame drew them; all zero until then (the link also while
  // no newer version is shown).
  const ifx::igfx::IRECT& GetInfoTabRECT() const { return mInfoTab; }
  const ifx::igfx::IRECT& GetUpdateButtonRECT() const { return mUpdateButton; }
  const ifx::igfx::IRECT& GetDownloadLinkRECT() const { return mDownloadLink; }

private:
  void FormatMakerLine();
  void DrawCheckResult(ifx::igfx::IGfx& g, const ifx::igfx::IRECT& content);
  void OpenDownloadPage() const;

  ifx::igfx::IRECT mInfoTab;
  ifx::igfx::IRECT mUpdateButton;
  ifx::igfx::IRECT mDownloadLink;
  char mMakerLine[160] = {};
};

} // namespace murkwisp
