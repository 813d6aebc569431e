#pragma once

class QCommandLineParser;

// tavlon --export FILE.pgn --to OUT.png|OUT.svg|OUT.gif [--size N] [--ply K] [--game N] [--flip]
// [--coordinates] [--marks] [--names] [--frame-time SECONDS]: a picture of a game without a window.

// Adds the options to the program's command line.
void DescribeExport(QCommandLineParser &parser);
bool ExportAsked(const QCommandLineParser &parser);
// Makes the picture and writes it; the exit status: 0 written, 1 a file, game or ply that cannot
// be used or a picture that cannot be written (nothing written then), 2 bad options. Needs a
// QApplication (the offscreen platform will do).
int RunExport(const QCommandLineParser &parser);
