#pragma once

class QCommandLineParser;

// tavlon --analyse FILE.pgn [--nodes N | --depth D] [--engine PATH]: every game of the file
// analysed as Game > Analyse Game does it, written to standard output with its evaluations,
// marks and better lines, in the file's order; progress on standard error. No window.
void DescribeAnalyse(QCommandLineParser &parser);
bool AnalyseAsked(const QCommandLineParser &parser);
// The exit status: 0 done, 1 a file, game or engine that failed, 2 a bad option.
int RunAnalyse(const QCommandLineParser &parser);
