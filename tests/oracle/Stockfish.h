#pragma once

#include <cstdio>
#include <string>
#include <sys/types.h>
#include <vector>

// A Stockfish process driven over pipes through UCI, used only as a rules oracle.
class Stockfish {
public:
    struct Answer {
        std::string sFen;                // the position as Stockfish sees it
        bool bInCheck = false;           // its list of checkers is not empty
        std::vector<std::string> oMoves; // legal moves, "e2e4" / "e7e8q", sorted
    };

    explicit Stockfish(const std::string &sPath); // throws std::runtime_error
    ~Stockfish();
    Stockfish(const Stockfish &) = delete;
    Stockfish &operator=(const Stockfish &) = delete;

    // The position reached from sStartFen by the moves, each in UCI form.
    Answer Query(const std::string &sStartFen, const std::vector<std::string> &oMoves);

private:
    void Send(const std::string &s);
    std::string ReadLine();

    pid_t m_nPid = -1;
    std::FILE *m_pIn = nullptr;  // to the engine
    std::FILE *m_pOut = nullptr; // from the engine
};
