// The line solved the way the placement enumeration does it, step by step:
// PlaceBlock tries block k at a start and recurses, RecordPlacement merges a
// complete placement into the seen summary, HasPlacement finds the leftmost
// placement that agrees with the cells, CanBe probes one cell forced to a
// value, and SolveLine settles every cell that all fitting placements agree
// on. The production solver reaches the same fixed point with bit-parallel
// passes; this plain version is the yardstick the tests hold it to.
#pragma once

#include <cstdint>
#include <vector>

#include "model/cell_types.h"

namespace test_support {

class EnumeratingLine {
 public:
  explicit EnumeratingLine(const TCounterArr& clue) {
    for (const std::int32_t v : clue)
      if (v > 0) FClue.push_back(v);
    FBlockCount = static_cast<int>(FClue.size());
    FMinimal.assign(FClue.size(), 0);
    for (int k = FBlockCount - 1; k >= 0; --k)
      FMinimal[k] = FClue[k] + (k + 1 < FBlockCount ? 1 + FMinimal[k + 1] : 0);
  }

  void LoadLine(const TCounterArr& cells) {
    FCells = cells;
    FLength = static_cast<int>(cells.size());
    FDone.assign(FLength, 0);
    for (int i = 0; i < FLength; ++i) FDone[i] = cells[i] != 0 ? 1 : 0;
    FPlacement.assign(FLength, 0);
    FSeen.assign(FLength, 0);
  }

  const TCounterArr& Cells() const { return FCells; }

  bool SolveLine() {
    if (!HasPlacement()) return false;
    for (int i = 0; i < FLength; ++i) {
      if (FDone[i] == 1) continue;
      if (!CanBe(i, 1))
        FCells[i] = -1;
      else if (!CanBe(i, -1))
        FCells[i] = 1;
      else
        FCells[i] = 0;
      FDone[i] = 1;
    }
    return true;
  }

  bool HasPlacement() {
    if (FBlockCount == 0) {
      for (const std::int32_t v : FCells)
        if (v == 1) return false;
      return true;
    }
    FFound = 0;
    for (int i = 0; i < FLength; ++i) {
      PlaceBlock(0, i);
      if (FCells[i] == 1) break;
    }
    return FFound > 0;
  }

  bool CanBe(int i, std::int32_t v) {
    if (FSeen[i] == 2 || FSeen[i] == v) return true;
    const std::int32_t saved = FCells[i];
    FCells[i] = v;
    const bool result = HasPlacement();
    FCells[i] = saved;
    return result;
  }

 private:
  void PlaceBlock(int k, int a) {
    if (FFound > 0 || a + FMinimal[k] > FLength) return;
    bool fits = true;
    for (int i = a; i < a + FClue[k]; ++i) {
      if (FCells[i] == -1) {
        fits = false;
        break;
      }
      FPlacement[i] = 1;
    }
    const int e = a + FClue[k];
    if (e < FLength && FCells[e] == 1) fits = false;
    if (fits) {
      if (k == FBlockCount - 1) {
        RecordPlacement(e);
      } else {
        for (int j = e + 1; j < FLength; ++j) {
          PlaceBlock(k + 1, j);
          if (FCells[j] == 1) break;
        }
      }
    }
    for (int i = a; i < a + FClue[k]; ++i) FPlacement[i] = 0;
  }

  void RecordPlacement(int e) {
    for (int i = e; i < FLength; ++i)
      if (FCells[i] == 1) return;
    for (int i = 0; i < FLength; ++i) {
      if (FSeen[i] == 0) {
        FSeen[i] = FPlacement[i];
      } else if (FSeen[i] != FPlacement[i]) {
        FSeen[i] = 2;
        FCells[i] = 0;
        FDone[i] = 1;
      }
    }
    ++FFound;
  }

  TCounterArr FClue;
  int FBlockCount = 0;
  TCounterArr FMinimal;
  int FLength = 0;
  TCounterArr FCells;
  TCounterArr FDone;
  TCounterArr FPlacement;
  TCounterArr FSeen;
  int FFound = 0;
};

}  // namespace test_support
