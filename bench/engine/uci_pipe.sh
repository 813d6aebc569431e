#!/usr/bin/env bash
# Analyse Game's commands for each FEN read from standard input, piped to a UCI engine in one go,
# nothing waiting on its answers: Stockfish ends a search before it takes the next ucinewgame.
# Prints for each FEN the last score before its bestmove, from the side to move as the engine
# gives it, and the move: "cp 31 e2e4", "mate -3 d8h4".
# Usage: uci_pipe.sh ENGINE NODES < fens
set -euo pipefail
engine=$1
nodes=$2
{
    printf 'uci\nsetoption name Hash value 16\nsetoption name MultiPV value 1\n'
    printf 'setoption name Threads value 1\nisready\n'
    while IFS= read -r fen; do
        printf 'ucinewgame\nisready\nposition fen %s\ngo nodes %s\n' "$fen" "$nodes"
    done
    printf 'ucinewgame\nquit\n'
} | "$engine" | awk '
    /^info / { for (i = 2; i < NF; i++) if ($i == "score") score = $(i + 1) " " $(i + 2) }
    /^bestmove / { print score, $2; score = "" }'
