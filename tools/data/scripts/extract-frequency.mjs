// Writes the Finnish frequency list of the pinned zxcvbn-ts package, most
// frequent first, one word per line: the common-words list (ranked by use in
// subtitles), then the Wikipedia list's words that the first one lacks.
import { writeFileSync } from "node:fs";
import { createRequire } from "node:module";

const require = createRequire(import.meta.url);
const fi = require("@zxcvbn-ts/language-fi");
const out = process.argv[2];
if (!out) {
  console.error("usage: extract-frequency.mjs OUTPUT");
  process.exit(2);
}
const seen = new Set();
const lines = [];
for (const list of [fi.dictionary.commonWords, fi.dictionary.wikipedia]) {
  for (const word of list) {
    if (seen.has(word)) continue;
    seen.add(word);
    lines.push(word);
  }
}
writeFileSync(out, lines.join("\n") + "\n");
console.log(`${lines.length} frequent words -> ${out}`);
