// The checker's job about points: lines read as points that give none or
// not what they say, characters listed twice, points lines skipped; and the
// weights of every question, for the "who can be the result" search.
#pragma once

#include "check_step.h"
#include "score_reach.h"

namespace kinsight {

class Weights : public CheckStep {
public:
    using CheckStep::CheckStep;
    const ScoreReach& reach() const { return m_reach; }

protected:
    void see(const FieldEvent& e) override;

private:
    void weight(const FieldEvent& e);

    int m_answerLine = 0;          // of the answer's text
    bool m_answerCut = false;      // its rest was read as the line after it
    int m_droppedLine = 0;         // of the line after it, which is dropped
    CharacterNumbers m_listedOn{}; // where each character is listed in this answer
    QuestionWeights m_weights{};
    ScoreReach m_reach;
};

} // namespace kinsight
