#pragma once

#include <cstdint>
#include <functional>

#include "ai/tile_random.h"
#include "game/ball_path.h"
#include "game/board.h"

constexpr int kDefaultLevel = 2;

// Levels are 1 to 4; anything else that reaches the search plays as the default.
constexpr int EffectiveLevel(int level) {
    return level >= 1 && level <= 4 ? level : kDefaultLevel;
}

// The computer's choice of tile: a fixed-depth look-ahead over the live board. Trial
// kinds are written into the squares, the ball is rolled as a dry run, and board and
// ball are put back after every trial. Nothing is allocated.
class MoveSearch {
public:
    // A candidate set is a bit set over TrialLeft, TrialCentre and TrialRight.
    using CandidateSet = int;
    enum Decision : bool { Undecided = false, Decided = true };

    MoveSearch(BallState& ball, TileRandom& random, int level,
               const std::function<void(const char*)>* reportInternalError = nullptr)
        : ball_(ball),
          random_(random),
          level_(EffectiveLevel(level)),
          reportInternalError_(reportInternalError) {}

    // The tile to lay on the ball's square. Board and ball are as on entry afterwards.
    SquareKind ChooseMove();
    // The tiles ChooseMove may lay, as trial kinds: one when the choice is forced, two or
    // three when it draws among them.
    CandidateSet Candidates();

    CandidateSet FindHomeTile();
    bool AllTilesHitBorder();
    Decision DecideCandidates(CandidateSet& candidates);
    void ClearTrialKinds();
    Decision SearchLevel1(CandidateSet& candidates);
    Decision SearchLevel2(CandidateSet& candidates);
    Decision SearchLevel3(CandidateSet& candidates);
    Decision SearchLevel4(CandidateSet& candidates);
    SquareKind PickRandomTile(CandidateSet candidates);
    SquareKind ConvertTmpToMove(CandidateSet trial);

private:
    // Lays `trial` on the ball's square and rolls the ball as a dry run. The square is
    // remembered so that ClearTrialKinds can give it back its kind.
    PathResult Trial(int trial);
    // A trial whose square is put back at once, for the single-move checks.
    PathResult SingleTrial(int trial);

    BallState& ball_;
    TileRandom& random_;
    int level_;
    const std::function<void(const char*)>* reportInternalError_;

    // Trials only ever land on the ball's square at entry and on Empty stop squares of
    // earlier trials in the same line of play, at most three deep (the computer's tile,
    // the human's reply, the computer's follow-up) before the board is cleared again.
    // Putting back just these squares leaves no trial kind anywhere, at a cost that
    // follows the walks and not the size of the board.
    static constexpr int kMaxTrialDepth = 8;
    Square* trialSquares_[kMaxTrialDepth] = {};
    SquareKind trialKinds_[kMaxTrialDepth] = {};
    int trialCount_ = 0;
};
