// pathfind: the per-cell state of the planner's searches, kept from one search
// to the next so that a search pays only for the cells it touches. A cell's
// record holds its normalised cost, its node's g and a mark: the generation
// that last touched it and the node's state byte. A new search starts a new
// generation; a record of an older one is made anew, cost read from the map,
// when the search first touches it.
#pragma once

#include <cstdint>  // Required for: fixed-width integers
#include <memory>   // Required for: std::unique_ptr

#include "runtime/pathfind/cell_cost.h"

class SearchGrid {
public:
    struct Cell {
        float cost;     // normalised, or cell_cost::kBlocked
        float g;        // the node's g, where the state byte says there is a node
        uint32_t mark;  // generation << 8 | state byte
    };

    // Generations are 24 bits; a smaller last one lets tests reach the wrap.
    explicit SearchGrid(uint32_t lastGeneration = kLastGeneration) : lastGeneration_(lastGeneration) {}

    // Reads a map of n cells with the given largest cost, which stays the
    // caller's and must not change while searches over it run. Forgets every
    // node; grows the records when the map has more cells than ever before.
    void prepare(const double* map, uint32_t n, float maximum);
    // Forgets every node of the last search, without visiting the cells.
    void forgetNodes();
    // Frees the records; prepare makes them again.
    void release();

    bool isPrepared() const { return map_ != nullptr; }
    uint32_t size() const { return size_; }
    float costOf(uint32_t i) const { return cell_cost::normalise(map_[i], maximum_); }

    // The record of a cell, made for this generation if it is not yet.
    Cell& touch(uint32_t i) {
        Cell& c = cells_[i];
        if ((c.mark >> kStateBits) != generation_) {
            c.cost = costOf(i);
            c.mark = generation_ << kStateBits;
        }
        return c;
    }
    // A cell this generation has touched.
    Cell& at(uint32_t i) { return cells_[i]; }
    const Cell& at(uint32_t i) const { return cells_[i]; }

    static uint8_t stateOf(const Cell& c) { return uint8_t(c.mark); }
    static void setState(Cell& c, uint8_t state) { c.mark = (c.mark & ~kStateMask) | state; }

private:
    static constexpr uint32_t kStateBits = 8;
    static constexpr uint32_t kStateMask = (1u << kStateBits) - 1;
    static constexpr uint32_t kLastGeneration = UINT32_MAX >> kStateBits;

    uint32_t lastGeneration_;
    std::unique_ptr<Cell[]> cells_;
    uint32_t capacity_ = 0;
    uint32_t size_ = 0;
    // Generation 0 stands for never touched; every search has a later one.
    uint32_t generation_ = 0;
    const double* map_ = nullptr;
    float maximum_ = 1.0f;
};
