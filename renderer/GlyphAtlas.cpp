// The glyph atlas's skyline packer: rectangles go where their bottom edge is
// lowest, and the runs they cover are raised to their bottom.

#include <cstdlib>
#include <cstring>

#include "renderer/GlyphStore.h"

namespace ifx::canvas {

GlyphAtlas* GlyphAtlas::Create(int width, int height, int capacity)
{
  auto* atlas = static_cast<GlyphAtlas*>(std::calloc(1, sizeof(GlyphAtlas)));
  if (!atlas)
    return nullptr;
  atlas->nodes = static_cast<GlyphAtlasNode*>(std::malloc(sizeof(GlyphAtlasNode) * (size_t)capacity));
  if (!atlas->nodes)
  {
    std::free(atlas);
    return nullptr;
  }
  atlas->cnodes = capacity;
  atlas->Reset(width, height);
  return atlas;
}

void GlyphAtlas::Destroy(GlyphAtlas* atlas)
{
  if (!atlas)
    return;
  std::free(atlas->nodes);
  std::free(atlas);
}

void GlyphAtlas::Reset(int w, int h)
{
  width = w;
  height = h;
  nnodes = 1;
  nodes[0] = GlyphAtlasNode{0, 0, (short)w};
}

bool GlyphAtlas::InsertShelf(int idx, int x, int y, int w)
{
  if (nnodes + 1 > cnodes)
  {
    const int cap = cnodes == 0 ? 8 : cnodes * 2;
    auto* grown = static_cast<GlyphAtlasNode*>(std::realloc(nodes, sizeof(GlyphAtlasNode) * (size_t)cap));
    if (!grown)
      return false;
    nodes = grown;
    cnodes = cap;
  }
  std::memmove(&nodes[idx + 1], &nodes[idx], sizeof(GlyphAtlasNode) * (size_t)(nnodes - idx));
  nodes[idx] = GlyphAtlasNode{(short)x, (short)y, (short)w};
  nnodes++;
  return true;
}

void GlyphAtlas::RemoveShelf(int idx)
{
  if (idx < 0 || idx >= nnodes)
    return;
  std::memmove(&nodes[idx], &nodes[idx + 1], sizeof(GlyphAtlasNode) * (size_t)(nnodes - idx - 1));
  nnodes--;
}

bool GlyphAtlas::RaiseShelf(int idx, int x, int y, int w, int h)
{
  if (!InsertShelf(idx, x, y + h, w))
    return false;

  // The runs under the new one lose their covered part.
  for (int i = idx + 1; i < nnodes; i++)
  {
    const int prevEnd = nodes[i - 1].x + nodes[i - 1].width;
    if (nodes[i].x >= prevEnd)
      break;
    const int shrink = prevEnd - nodes[i].x;
    nodes[i].x = (short)(nodes[i].x + shrink);
    nodes[i].width = (short)(nodes[i].width - shrink);
    if (nodes[i].width > 0)
      break;
    RemoveShelf(i);
    i--;
  }

  // Neighbours at one height become one run.
  for (int i = 0; i < nnodes - 1; i++)
  {
    if (nodes[i].y == nodes[i + 1].y)
    {
      nodes[i].width = (short)(nodes[i].width + nodes[i + 1].width);
      RemoveShelf(i + 1);
      i--;
    }
  }
  return true;
}

int GlyphAtlas::FitAt(int i, int w, int h) const
{
  const int x = nodes[i].x;
  if (x + w > width)
    return -1;
  int y = nodes[i].y;
  int spaceLeft = w;
  while (spaceLeft > 0)
  {
    if (i == nnodes)
      return -1;
    if (nodes[i].y > y)
      y = nodes[i].y;
    if (y + h > height)
      return -1;
    spaceLeft -= nodes[i].width;
    ++i;
  }
  return y;
}

bool GlyphAtlas::PlaceRect(int w, int h, int* rx, int* ry)
{
  if (w <= 0 || h <= 0)
    return false;
  int bestH = height, bestW = width, bestI = -1, bestX = -1, bestY = -1;
  for (int i = 0; i < nnodes; i++)
  {
    const int y = FitAt(i, w, h);
    if (y < 0)
      continue;
    if (y + h < bestH || (y + h == bestH && nodes[i].width < bestW))
    {
      bestI = i;
      bestW = nodes[i].width;
      bestH = y + h;
      bestX = nodes[i].x;
      bestY = y;
    }
  }
  if (bestI == -1)
    return false;
  if (!RaiseShelf(bestI, bestX, bestY, w, h))
    return false;
  *rx = bestX;
  *ry = bestY;
  return true;
}

} // namespace ifx::canvas
