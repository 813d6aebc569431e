#include "Stockfish.h"

#include <algorithm>
#include <csignal>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

Stockfish::Stockfish(const std::string &sPath) {
    int oToEngine[2];
    int oFromEngine[2];
    if (pipe(oToEngine) != 0 || pipe(oFromEngine) != 0)
        throw std::runtime_error("pipe failed");
    // A dead engine must fail the test through EOF, not kill it with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    m_nPid = fork();
    if (m_nPid < 0)
        throw std::runtime_error("fork failed");
    if (m_nPid == 0) {
        dup2(oToEngine[0], STDIN_FILENO);
        dup2(oFromEngine[1], STDOUT_FILENO);
        for (int fd : {oToEngine[0], oToEngine[1], oFromEngine[0], oFromEngine[1]})
            close(fd);
        execl(sPath.c_str(), sPath.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(oToEngine[0]);
    close(oFromEngine[1]);
    m_pIn = fdopen(oToEngine[1], "w");
    m_pOut = fdopen(oFromEngine[0], "r");
    Send("uci\n");
    while (ReadLine() != "uciok") {
    }
    Send("isready\n");
    while (ReadLine() != "readyok") {
    }
}

Stockfish::~Stockfish() {
    if (m_pIn) {
        std::fputs("quit\n", m_pIn);
        std::fclose(m_pIn);
    }
    if (m_pOut)
        std::fclose(m_pOut);
    if (m_nPid > 0)
        waitpid(m_nPid, nullptr, 0);
}

void Stockfish::Send(const std::string &s) {
    if (std::fputs(s.c_str(), m_pIn) < 0 || std::fflush(m_pIn) != 0)
        throw std::runtime_error("cannot write to stockfish");
}

std::string Stockfish::ReadLine() {
    std::string s;
    for (int c = std::fgetc(m_pOut); c != '\n'; c = std::fgetc(m_pOut)) {
        if (c == EOF)
            throw std::runtime_error("stockfish closed its output");
        s += static_cast<char>(c);
    }
    return s;
}

Stockfish::Answer Stockfish::Query(const std::string &sStartFen,
                                   const std::vector<std::string> &oMoves) {
    std::string sCommand = "position fen " + sStartFen;
    if (!oMoves.empty()) {
        sCommand += " moves";
        for (const std::string &m : oMoves)
            sCommand += " " + m;
    }
    // "d" answers at once while perft may run on a search thread, so the two answers are told
    // apart by their lines, not by their order.
    Send(sCommand + "\nd\ngo perft 1\n");
    Answer oAnswer;
    bool bHaveBoard = false;
    bool bHavePerft = false;
    while (!bHaveBoard || !bHavePerft) {
        const std::string s = ReadLine();
        if (s.rfind("Fen: ", 0) == 0) {
            oAnswer.sFen = s.substr(5);
        } else if (s.rfind("Checkers:", 0) == 0) {
            oAnswer.bInCheck = s.find_first_not_of(' ', 9) != std::string::npos;
            bHaveBoard = true;
        } else if (s.rfind("Nodes searched:", 0) == 0) {
            bHavePerft = true;
        } else if (const auto nColon = s.find(": ");
                   (nColon == 4 || nColon == 5) && s[0] >= 'a' && s[0] <= 'h') {
            oAnswer.oMoves.push_back(s.substr(0, nColon));
        }
    }
    std::sort(oAnswer.oMoves.begin(), oAnswer.oMoves.end());
    return oAnswer;
}
