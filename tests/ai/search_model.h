#pragma once

// A second account of the move search, written the other way round on purpose: the grid
// is an array walked by coordinates, directions are numbers turned by arithmetic, and
// every trial is made on a copy of the whole position instead of being undone. It is
// slow and shares no code with the real search, so where the two agree on thousands of
// positions the search follows the rules and not just itself.

#include <cstdint>
#include <vector>

#include "game/ball_path.h"
#include "game/board.h"

struct ModelPosition {
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    std::vector<int> kinds;  // row by row from the top left
    std::int32_t column = -1;
    std::int32_t row = -1;  // -1 once the ball has left the board
    int heading = -1;       // 0 up, 1 right, 2 down, 3 left

    int& Kind() { return kinds[static_cast<std::size_t>(row * columns + column)]; }
};

inline ModelPosition ModelOf(const Board& board, const BallState& ball) {
    ModelPosition p;
    p.columns = board.columns;
    p.rows = board.rows;
    board.ForEachSquareIndexed([&](const Square& s, std::int32_t column, std::int32_t row) {
        p.kinds.push_back(s.kind);
        if (&s == ball.currentSquare) {
            p.column = column;
            p.row = row;
        }
    });
    const int d = static_cast<int>(ball.direction);
    p.heading = d % 100 == 0 && d >= 100 && d <= 400 ? d / 100 - 1 : -1;
    return p;
}

// 8, 16 or 32 as the walk reports them, 0 for a square the rules do not know.
inline int ModelRoll(ModelPosition& p) {
    static const int kStepColumn[] = {0, 1, 0, -1};
    static const int kStepRow[] = {-1, 0, 1, 0};
    for (;;) {
        const int kind = p.Kind();
        if (kind == Home || kind == Border || kind == Empty) {
            return kind;
        }
        const int tile = kind >= TrialLeft ? kind >> kTrialShift : kind;
        if (p.heading < 0 || (tile != LeftTile && tile != CentreTile && tile != RightTile) ||
            (kind >= TrialLeft && (kind & kTrialKinds) != kind)) {
            return 0;
        }
        if (tile == LeftTile) {
            p.heading ^= 1;
        } else if (tile == RightTile) {
            p.heading = 3 - p.heading;
        }
        p.column += kStepColumn[p.heading];
        p.row += kStepRow[p.heading];
        if (p.column < 0 || p.column >= p.columns || p.row < 0 || p.row >= p.rows) {
            p.column = p.row = -1;
            return Border;
        }
    }
}

constexpr int kModelTrials[] = {TrialLeft, TrialCentre, TrialRight};

// Lays the tile of `trial` on the ball's square of `p` itself and rolls.
inline int ModelTrial(ModelPosition& p, int trial) {
    p.Kind() = trial >> kTrialShift;
    return ModelRoll(p);
}

inline int ModelHomeTile(const ModelPosition& p) {
    for (int t : kModelTrials) {
        ModelPosition q = p;
        if (ModelTrial(q, t) == Home) {
            return t;
        }
    }
    return 0;
}

inline bool ModelAllTilesHitBorder(const ModelPosition& p) {
    for (int t : kModelTrials) {
        ModelPosition q = p;
        if (ModelTrial(q, t) != Border) {
            return false;
        }
    }
    return true;
}

inline bool ModelDecide(int& k) {
    if (k == 0) {
        k = TrialCentre;
    }
    return k == TrialLeft || k == TrialCentre || k == TrialRight;
}

// Whether laying t, then the reply r, then the follow-up u (each only while the game goes
// on) leaves the human forced to give the point away.
inline bool ModelForcesAfter(const ModelPosition& p, int t, int r, int u) {
    ModelPosition q = p;
    return ModelTrial(q, t) == Empty && ModelTrial(q, r) == Empty && ModelTrial(q, u) == Empty &&
           ModelAllTilesHitBorder(q);
}

// The search of `level` from an empty candidate set: returns whether it decided.
inline bool ModelSearch(const ModelPosition& p, int level, int& k) {
    if (level == 1) {
        for (int t : kModelTrials) {
            ModelPosition q = p;
            if (ModelTrial(q, t) == Empty) {
                k |= t;
            }
        }
        return ModelDecide(k);
    }
    if (ModelSearch(p, level - 1, k)) {
        return true;
    }
    for (int t : kModelTrials) {
        if (!(k & t)) {
            continue;
        }
        if (level == 2) {
            ModelPosition q = p;
            if (ModelTrial(q, t) != Empty) {
                continue;
            }
            if (ModelAllTilesHitBorder(q)) {
                k = t;
                return true;
            }
            if (ModelHomeTile(q) != 0) {
                k &= ~t;
            }
        } else if (level == 3) {
            for (int r : kModelTrials) {
                ModelPosition q = p;
                if (ModelTrial(q, t) == Empty && ModelTrial(q, r) == Empty &&
                    ModelAllTilesHitBorder(q)) {
                    k &= ~t;
                }
            }
        } else {
            for (int r : kModelTrials) {
                for (int u : kModelTrials) {
                    if (ModelForcesAfter(p, t, r, u)) {
                        k = t;
                        return true;
                    }
                }
            }
        }
    }
    return ModelDecide(k);
}

// The tiles ChooseMove may lay at `level`, as trial kinds.
inline int ModelCandidates(const ModelPosition& p, int level) {
    if (const int home = ModelHomeTile(p)) {
        return home;
    }
    int k = 0;
    ModelSearch(p, level, k);
    return k;
}
