#include "ai/move_search.h"

#include <cassert>

namespace {

constexpr int kTrials[] = {TrialLeft, TrialCentre, TrialRight};

}  // namespace

PathResult MoveSearch::Trial(int trial) {
    assert(trialCount_ < kMaxTrialDepth);
    Square* square = ball_.currentSquare;
    trialSquares_[trialCount_] = square;
    trialKinds_[trialCount_] = square->kind;
    ++trialCount_;
    square->kind = SquareKind(trial);
    return RollBall(ball_, nullptr);
}

PathResult MoveSearch::SingleTrial(int trial) {
    const BallState saved = ball_;
    Square* square = ball_.currentSquare;
    const SquareKind kind = square->kind;
    square->kind = SquareKind(trial);
    const PathResult outcome = RollBall(ball_, nullptr);
    ball_ = saved;
    square->kind = kind;
    return outcome;
}

void MoveSearch::ClearTrialKinds() {
    // Backwards, so a square met twice ends with the kind it had before the first trial.
    while (trialCount_ > 0) {
        --trialCount_;
        trialSquares_[trialCount_]->kind = trialKinds_[trialCount_];
    }
}

MoveSearch::CandidateSet MoveSearch::FindHomeTile() {
    for (int trial : kTrials) {
        if (SingleTrial(trial) == PathHome) {
            return trial;
        }
    }
    return 0;
}

bool MoveSearch::AllTilesHitBorder() {
    for (int trial : kTrials) {
        if (SingleTrial(trial) != PathBorder) {
            return false;
        }
    }
    return true;
}

MoveSearch::Decision MoveSearch::DecideCandidates(CandidateSet& candidates) {
    if (candidates == 0) {
        candidates = TrialCentre;
        return Decided;
    }
    if (candidates == TrialLeft || candidates == TrialCentre || candidates == TrialRight) {
        return Decided;
    }
    return Undecided;
}

// Keeps the tiles after which nobody scores at once.
MoveSearch::Decision MoveSearch::SearchLevel1(CandidateSet& candidates) {
    for (int trial : kTrials) {
        const BallState saved = ball_;
        if (Trial(trial) == PathEmpty) {
            candidates |= trial;
        }
        ball_ = saved;
        ClearTrialKinds();
    }
    return DecideCandidates(candidates);
}

// Takes a tile after which every reply of the human gives the point away; drops the
// tiles after which the human can score at once.
MoveSearch::Decision MoveSearch::SearchLevel2(CandidateSet& candidates) {
    if (SearchLevel1(candidates) == Decided) {
        return Decided;
    }
    for (int trial : kTrials) {
        if (!(candidates & trial)) {
            continue;
        }
        const BallState saved = ball_;
        if (Trial(trial) == PathEmpty) {
            if (AllTilesHitBorder()) {
                ball_ = saved;
                ClearTrialKinds();
                candidates = trial;
                return Decided;
            }
            if (FindHomeTile() != 0) {
                candidates &= ~trial;
            }
        }
        ball_ = saved;
        ClearTrialKinds();
    }
    return DecideCandidates(candidates);
}

// Drops the tiles for which some reply of the human forces the computer to give the
// point away on its next move.
MoveSearch::Decision MoveSearch::SearchLevel3(CandidateSet& candidates) {
    if (SearchLevel2(candidates) == Decided) {
        return Decided;
    }
    for (int trial : kTrials) {
        if (!(candidates & trial)) {
            continue;
        }
        for (int reply : kTrials) {
            const BallState saved = ball_;
            if (Trial(trial) == PathEmpty && Trial(reply) == PathEmpty && AllTilesHitBorder()) {
                candidates &= ~trial;
            }
            ball_ = saved;
            ClearTrialKinds();
        }
    }
    return DecideCandidates(candidates);
}

// Takes a tile for which some reply of the human lets the computer force the human to
// give the point away on the move after.
MoveSearch::Decision MoveSearch::SearchLevel4(CandidateSet& candidates) {
    if (SearchLevel3(candidates) == Decided) {
        return Decided;
    }
    for (int trial : kTrials) {
        if (!(candidates & trial)) {
            continue;
        }
        for (int reply : kTrials) {
            for (int followUp : kTrials) {
                const BallState saved = ball_;
                const bool forces = Trial(trial) == PathEmpty && Trial(reply) == PathEmpty &&
                                    Trial(followUp) == PathEmpty && AllTilesHitBorder();
                ball_ = saved;
                ClearTrialKinds();
                if (forces) {
                    candidates = trial;
                    return Decided;
                }
            }
        }
    }
    return DecideCandidates(candidates);
}

SquareKind MoveSearch::PickRandomTile(CandidateSet candidates) {
    if (!(candidates & kTrialKinds)) {
        return ConvertTmpToMove(candidates);
    }
    for (;;) {
        const int n = random_.Next() % 3;
        if (candidates & (TrialLeft << n)) {
            return SquareKind(LeftTile << n);
        }
    }
}

SquareKind MoveSearch::ConvertTmpToMove(CandidateSet trial) {
    switch (trial) {
        case TrialLeft:
            return LeftTile;
        case TrialCentre:
            return CentreTile;
        case TrialRight:
            return RightTile;
        default:
            if (reportInternalError_ && *reportInternalError_) {
                (*reportInternalError_)("DEBUG - ConvertTmpToMove - we should not be here !!!");
            }
            return CentreTile;
    }
}

MoveSearch::CandidateSet MoveSearch::Candidates() {
    if (const CandidateSet home = FindHomeTile()) {
        return home;
    }
    CandidateSet candidates = 0;
    switch (level_) {
        case 1:
            SearchLevel1(candidates);
            break;
        case 3:
            SearchLevel3(candidates);
            break;
        case 4:
            SearchLevel4(candidates);
            break;
        default:
            SearchLevel2(candidates);
            break;
    }
    return candidates;
}

SquareKind MoveSearch::ChooseMove() {
    CandidateSet candidates = Candidates();
    if (DecideCandidates(candidates) == Decided) {
        return ConvertTmpToMove(candidates);
    }
    return PickRandomTile(candidates);
}
