// The same games read by two JavaScript libraries, for the figures beside Tavlon's in
// BENCHMARKS.md: chess.js's loadPgn of the plain game, and chessops reading the annotated set,
// playing every move of every line and writing it again.
//   node compare.mjs DIR     (DIR holds plain.pgn and annotated.pgn; see compare.sh)
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { Chess } from 'chess.js';
import { makePgn, parseComment, makeComment, parsePgn, startingPosition, transform } from 'chessops/pgn';
import { makeSanAndPlay, parseSan } from 'chessops/san';

const dir = process.argv[2];
const plain = readFileSync(join(dir, 'plain.pgn'), 'utf8');
const annotated = readFileSync(join(dir, 'annotated.pgn'), 'utf8');

// Microseconds per call of fn, wall and CPU, the median of five rounds after a warm-up (as
// Google Benchmark's _median rows beside them).
function time(fn, calls) {
  for (let i = 0; i < calls; ++i) fn();
  const wall = [];
  const cpu = [];
  for (let round = 0; round < 5; ++round) {
    const start = process.hrtime.bigint();
    const startCpu = process.cpuUsage();
    for (let i = 0; i < calls; ++i) fn();
    const used = process.cpuUsage(startCpu);
    wall.push(Number(process.hrtime.bigint() - start) / 1000 / calls);
    cpu.push((used.user + used.system) / calls);
  }
  const median = (a) => a.sort((x, y) => x - y)[2];
  return `${median(wall).toFixed(0)} us wall, ${median(cpu).toFixed(0)} us CPU`;
}

const chess = new Chess();
const loadPgn = time(() => chess.loadPgn(plain), 50);
console.log(`chess.js loadPgn, plain game (${chess.history().length} plies): ${loadPgn}`);

// Comments are parsed into their commands and written back, as Tavlon keeps them.
function readPlayWrite() {
  let written = 0;
  let nodes = 0;
  for (const game of parsePgn(annotated)) {
    const pos = startingPosition(game.headers).unwrap();
    game.moves = transform(game.moves, pos, (p, node) => {
      const move = parseSan(p, node.san);
      if (!move) return undefined;
      ++nodes;
      return {
        ...node,
        san: makeSanAndPlay(p, move),
        comments: node.comments?.map((c) => makeComment(parseComment(c))),
      };
    });
    written += makePgn(game).length;
  }
  return [written, nodes];
}
const [written, nodes] = readPlayWrite();
const set = time(readPlayWrite, 5);
console.log(`chessops read, play every line, write, annotated set (${nodes} moves, ${written} bytes written): ${set}`);
