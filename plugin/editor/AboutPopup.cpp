#include "plugin/editor/AboutPopup.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/OpenableUrl.h"
#include "framework/IPluginBase.h"
#include "toolkit/IGfx.h"
#include "plugin/MurkwispConfig.h"
#include "plugin/UpdateChecker.h"
#include "plugin/editor/EditorAnimation.h"

namespace murkwisp {

using namespace ifx::igfx;

namespace {

constexpr float kPanelHalfWidth = 210.f;
constexpr float kPanelHalfHeight = 310.f;
constexpr IRgba kUpdateButtonColor{200, 30, 28, 40};
constexpr IRgba kUpdateAvailableColor{255, 130, 220, 130};

const UpdateChecker& Checker() { return UpdateChecker::Instance(); }

} // namespace

AboutPopup::AboutPopup(const IRECT& bounds, const IRgba& panelColor, const IRgba& textColor, const IRgba& accentColor)
  : PopupPanel(bounds, panelColor, textColor, accentColor)
{
}

void AboutPopup::SetOpen(bool open)
{
  if (open)
  {
    FormatMakerLine();
    OpenOverEditor();
  }
  else
  {
    Close();
  }
}

IRECT AboutPopup::GetPanelRECT() const
{
  const float cx = mRECT.MW(), cy = mRECT.MH();
  return IRECT(cx - kPanelHalfWidth, cy - kPanelHalfHeight, cx + kPanelHalfWidth, cy + kPanelHalfHeight);
}

void AboutPopup::Draw(IGfx& g)
{
  if (!mOpen)
    return;
  AdvancePhase();
  const IRECT p = GetPanelRECT();
  DrawPanel(g, p);
  g.DrawText(Text(32.f, mTextColor, kAlignCenter, kFontGipsyCurse), "Murkwisp",
             IRECT(p.L, p.T + 10.f, p.R, p.T + 60.f));
  g.DrawText(Text(12.f, WithAlpha(mTextColor, 178)), mMakerLine, IRECT(p.L, p.T + 58.f, p.R, p.T + 76.f));

  const float cx = mRECT.MW();
  mInfoTab = IRECT(cx - 115.f, p.T + 80.f, cx - 5.f, p.T + 110.f);
  g.FillRoundRect(WithAlpha(mAccentColor, 76), mInfoTab, 5.f);
  g.DrawRoundRect(WithAlpha(mAccentColor, 204), mInfoTab, 5.f, nullptr, 1.5f);
  g.DrawText(Text(14.f, mTextColor), "Info", mInfoTab);
  g.DrawLine(WithAlpha(mAccentColor, 102), p.L + 20.f, p.T + 120.f, p.R - 20.f, p.T + 120.f, nullptr, 1.f);

  DrawInfoPage(g, IRECT(p.L + 20.f, p.T + 130.f, p.R - 20.f, p.B - 30.f));

  g.DrawText(Text(12.f, WithAlpha(mTextColor, 102)), "Click outside to close  \xE2\x80\xA2  ESC to dismiss",
             IRECT(p.L, p.B - 25.f, p.R, p.B - 8.f));
}

// The maker and the version under the title; the version alone when the
// editor has no plug-in behind it. Neither changes while the panel is open.
void AboutPopup::FormatMakerLine()
{
  const auto* plugin = dynamic_cast<const ifx::IPluginBase*>(GetDelegate());
  if (plugin && plugin->GetMakerName()[0])
    std::snprintf(mMakerLine, sizeof(mMakerLine), "%.100s  \xE2\x80\xA2  v%s", plugin->GetMakerName(),
                  MurkwispVersionText());
  else
    std::snprintf(mMakerLine, sizeof(mMakerLine), "v%s", MurkwispVersionText());
}

void AboutPopup::DrawInfoPage(IGfx& g, const IRECT& content)
{
  const float l = content.L, t = content.T, r = content.R;
  g.DrawText(Text(16.f, mAccentColor, kAlignNear), "SPECTRAL PITCH SHIFTING REVERB", IRECT(l, t, r, t + 19.f));
  const ITextStyle body = Text(14.f, WithAlpha(mTextColor, 216), kAlignNear);
  g.DrawText(body, "A haunted formant pitch shifter with ethereal reverb, delay, and chorus",
             IRECT(l, t + 23.f, r, t + 42.f));
  g.DrawText(body, "characteristics. Create fennowly harmonies, frozen drones, spectral pads,",
             IRECT(l, t + 42.f, r, t + 61.f));
  g.DrawText(body, "and otherworldly vocal textures.", IRECT(l, t + 61.f, r, t + 80.f));
  g.DrawLine(WithAlpha(mAccentColor, 51), l, t + 94.f, r, t + 94.f, nullptr, 1.f);

  const float u = content.MW();
  mUpdateButton = IRECT(u - 75.f, t + 108.f, u + 75.f, t + 138.f);
  g.FillRoundRect(kUpdateButtonColor, mUpdateButton, 5.f);
  g.DrawRoundRect(WithAlpha(mAccentColor, ClampedAlpha((std::sin(2.5f * mPhase) * 0.15f + 0.4f) * 0.6f)), mUpdateButton,
                  5.f, nullptr, 1.f);
  g.DrawText(Text(12.f, WithAlpha(mTextColor, 229)),
             Checker().status == kUpdateChecking ? "Checking..." : "Check for Updates", mUpdateButton);

  DrawCheckResult(g, content);
}

void AboutPopup::DrawCheckResult(IGfx& g, const IRECT& content)
{
  const float y = content.T + 148.f;
  const IRECT line(content.L, y, content.R, y + 18.f);
  mDownloadLink = IRECT();
  switch (Checker().status)
  {
    case kUpdateAvailable:
    {
      char text[96];
      const auto& version = Checker().latestVersion;
      std::snprintf(text, sizeof(text), "\xE2\x9C\x93 Update available: v%.*s", static_cast<int>(sizeof(version)),
                    version);
      g.DrawText(Text(13.f, kUpdateAvailableColor), text, line);
      mDownloadLink = IRECT(content.L, content.T + 168.f, content.R, content.T + 186.f);
      g.DrawText(Text(12.f, mAccentColor), "Click here to download", mDownloadLink);
      break;
    }
    case kUpdateUpToDate:
      g.DrawText(Text(12.f, WithAlpha(mTextColor, 178)), "You're running the latest version", line);
      break;
    case kUpdateFailed: g.DrawText(Text(12.f, WithAlpha(mTextColor, 127)), "Could not check for updates", line); break;
    default: break;
  }
}

void AboutPopup::OnMouseDown(float x, float y, const IMouseModifiers& mod)
{
  if (!mOpen)
    return;
  if (mInfoTab.Contains(x, y))
  {
    SetDirty(true, -1);
  }
  else if (mUpdateButton.Contains(x, y))
  {
    // Blocks until the fetch ends (at most its time-out); the result shows
    // on the next frame.
    UpdateChecker::Instance().CheckForUpdates(true);
    SetDirty(true, -1);
  }
  else if (mDownloadLink.Contains(x, y))
  {
    // The link stays where the last frame put it until the next one, so a
    // check that has since found nothing newer disarms it at once.
    if (Checker().status == kUpdateAvailable)
      OpenDownloadPage();
  }
  else if (!GetPanelRECT().Contains(x, y))
  {
    Dismiss();
  }
}

// Only a plain https address goes to the shell; anything else (another
// scheme, a space, a quote or a control character that would let the shell
// read something other than the address) is not opened at all.
void AboutPopup::OpenDownloadPage() const
{
  const auto& field = Checker().downloadUrl;
  const std::string url(field, strnlen(field, sizeof(field)));
  if (GetUI() && ifx::IsOpenableUrl(url.c_str()))
    GetUI()->OpenURL(url.c_str());
}

} // namespace murkwisp
