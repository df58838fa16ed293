// Timing of a move and of the computer's turn on a null window, and a count of
// the heap allocations they make (global operator new is replaced to count).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "game.h"
#include "random.h"
#include "tests/null_platform.h"

namespace {

std::size_t gAllocations = 0;

}  // namespace

void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace quabe;

constexpr int kBoards = 64;

// Freshly dealt boards with the first cell, in column order, that has a group.
struct Deals {
    Deals() : game(ui) {
        for (int k = 0; k < kBoards; ++k) {
            game.NewGame();
            std::memcpy(boards[k], game.Board, sizeof game.Board);
            for (int col = 1; col <= kCols && rows[k] == 0; ++col) {
                for (int row = 1; row <= kRows && rows[k] == 0; ++row) {
                    if (game.GroupSize(row, col) >= 2) rows[k] = row, cols[k] = col;
                }
            }
        }
    }
    void Restore(int k) {
        std::memcpy(game.Board, boards[k], sizeof game.Board);
        game.GameActive = true;
    }

    NullPlatform ui;
    Game game;
    Grid<int16_t> boards[kBoards];
    int rows[kBoards] = {};
    int cols[kBoards] = {};
};

void ReportAllocations(benchmark::State& state, std::size_t before) {
    state.counters["allocs"] = static_cast<double>(gAllocations - before);
}

void BM_PlayerMove(benchmark::State& state) {
    Deals deals;
    int k = 0;
    const std::size_t before = gAllocations;
    for (auto _ : state) {
        deals.Restore(k);
        benchmark::DoNotOptimize(deals.game.MakeMove(deals.rows[k], deals.cols[k], false));
        k = (k + 1) % kBoards;
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_PlayerMove);

void BM_ComputerTurn(benchmark::State& state) {
    Deals deals;
    int k = 0;
    const std::size_t before = gAllocations;
    for (auto _ : state) {
        deals.Restore(k);
        deals.game.ComputerMove();
        benchmark::DoNotOptimize(deals.game.Score2);
        k = (k + 1) % kBoards;
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_ComputerTurn);

// The worst case: one group of 150. The turn takes the whole board, so it also
// deals the next board.
void BM_ComputerTurnOneKind(benchmark::State& state) {
    NullPlatform ui;
    Game game(ui);
    game.NewGame();
    const std::size_t before = gAllocations;
    for (auto _ : state) {
        for (int row = 1; row <= kRows; ++row) {
            for (int col = 1; col <= kCols; ++col) game.Board[row][col] = 3;
        }
        game.ComputerMove();
        benchmark::DoNotOptimize(game.Score2);
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_ComputerTurnOneKind);

// The measuring part alone: 150 group sizes.
void BM_MeasureEveryCell(benchmark::State& state) {
    NullPlatform ui;
    Game game(ui);
    game.NewGame();
    if (state.range(0) == 1) {
        for (auto& line : game.Board) std::fill(std::begin(line), std::end(line), int16_t{3});
    }
    for (auto _ : state) {
        int total = 0;
        for (int col = 1; col <= kCols; ++col) {
            for (int row = 1; row <= kRows; ++row) total += game.GroupSize(row, col);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_MeasureEveryCell)->Arg(0)->Arg(1)->ArgName("oneKind");

// Shows the counter at work: one vector, one allocation per iteration.
void BM_AllocationCounterCheck(benchmark::State& state) {
    const std::size_t before = gAllocations;
    for (auto _ : state) {
        std::vector<int> v(16);
        benchmark::DoNotOptimize(v.data());
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_AllocationCounterCheck);

}  // namespace

BENCHMARK_MAIN();
