#include "Clock.h"

#include <algorithm>

void Clock::Reset(const TimeControl &oControl, bool bWhiteToMove) {
    m_oControl = oControl;
    Restore({}, bWhiteToMove, false);
}

void Clock::Restore(const std::vector<std::int64_t> &oPlyMs, bool bFirstWhite, bool bPaused) {
    m_oPlyMs = oPlyMs;
    m_bFirstWhite = bFirstWhite;
    m_nMoves = {};
    const TimeControl::Period oFirst =
        m_oControl.IsTimed() ? m_oControl.oPeriods.front() : TimeControl::Period{};
    m_nMs.fill(oFirst.nBaseMs + oFirst.nIncrementMs);
    bool bWhite = bFirstWhite;
    for (const std::int64_t n : m_oPlyMs) {
        const std::size_t nSide = Side(bWhite);
        ++m_nMoves[nSide];
        if (n >= 0) {
            m_nMs[nSide] = n;
            // An hourglass keeps the sum of both clocks.
            if (m_oControl.bHourglass)
                m_nMs[1 - nSide] = std::max<std::int64_t>(0, 2 * oFirst.nBaseMs - n);
        }
        bWhite = !bWhite;
    }
    m_bWhiteToMove = bWhite;
    m_bStarted = m_oControl.IsTimed() && !m_oPlyMs.empty();
    m_bPaused = bPaused && m_bStarted;
    m_bStopped = false;
    m_nUsedBefore = 0;
    StartTurn();
}

void Clock::StartTurn() {
    m_nTurnStart = m_oNow();
}

std::int64_t Clock::Used() const {
    return m_nUsedBefore + (Running() ? m_oNow() - m_nTurnStart : 0);
}

std::int64_t Clock::Remaining(bool bWhite) const {
    const std::int64_t nUsed = Used();
    const std::int64_t n = m_nMs[Side(bWhite)];
    if (bWhite == m_bWhiteToMove)
        return std::max<std::int64_t>(0, n - nUsed);
    return m_oControl.bHourglass ? n + std::min(nUsed, m_nMs[Side(m_bWhiteToMove)]) : n;
}

bool Clock::FlagFallen() const {
    return m_oControl.IsTimed() && m_bStarted && Remaining(m_bWhiteToMove) == 0;
}

std::int64_t Clock::MsToFlag() const {
    return Running() ? Remaining(m_bWhiteToMove) : -1;
}

void Clock::Freeze() {
    m_nUsedBefore = Used();
    m_bStopped = true;
}

void Clock::AddMoveUsed(std::int64_t nMs) {
    if (m_bStarted && !m_bStopped && nMs > 0)
        m_nUsedBefore += nMs;
}

void Clock::SetPaused(bool bPaused) {
    if (!m_bStarted || m_bStopped || bPaused == m_bPaused)
        return;
    if (bPaused)
        m_nUsedBefore = Used();
    m_bPaused = bPaused;
    StartTurn();
}

void Clock::Credit(std::size_t nSide, std::int64_t nUsed) {
    const int nMade = m_nMoves[nSide];
    const std::size_t nNext = m_oControl.PeriodOf(nMade);
    const TimeControl::Period &p = m_oControl.oPeriods[nNext];
    // A new period begins (a repeating last one included) once the last one's moves are made.
    if (nMade > 0 && (m_oControl.PeriodOf(nMade - 1) != nNext ||
                      (p.nMoves && m_oControl.MovesLeft(nMade) == p.nMoves)))
        m_nMs[nSide] += p.nBaseMs;
    m_nMs[nSide] += p.nIncrementMs + std::min(nUsed, m_oControl.nDelayMs);
}

std::int64_t Clock::MovePlayed() {
    if (!m_oControl.IsTimed() || m_bStopped)
        return -1;
    if (FlagFallen()) {
        Freeze();
        return -1;
    }
    const std::int64_t nUsed = m_bStarted ? Used() : 0;
    const std::size_t nSide = Side(m_bWhiteToMove);
    if (m_oControl.bHourglass) {
        const std::int64_t nFlow = std::min(nUsed, m_nMs[nSide]);
        m_nMs[1 - nSide] += nFlow;
    }
    m_nMs[nSide] = std::max<std::int64_t>(0, m_nMs[nSide] - nUsed);
    ++m_nMoves[nSide];
    Credit(nSide, nUsed);
    m_oPlyMs.push_back(m_nMs[nSide]);
    m_bWhiteToMove = !m_bWhiteToMove;
    m_bStarted = true;
    m_nUsedBefore = 0;
    StartTurn();
    return m_oPlyMs.back();
}

void Clock::Undo() {
    if (m_oPlyMs.empty())
        return;
    std::vector<std::int64_t> o = std::move(m_oPlyMs);
    o.pop_back();
    const bool bPaused = m_bPaused;
    Restore(o, m_bFirstWhite, bPaused);
}
