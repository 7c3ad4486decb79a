// Writes the English frequency list of the pinned zxcvbn-ts package, most
// frequent first, one word per line: its common-words list, ranked by use in
// subtitles (OpenSubtitles 2024 through OPUS, ODC-BY; the package's NOTICE.md
// says so).
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";

const require = createRequire(import.meta.url);
const out = process.argv[2];
if (!out) {
  console.error("usage: extract-english-frequency.mjs OUTPUT");
  process.exit(2);
}
const main = require.resolve("@zxcvbn-ts/language-en");
const words = JSON.parse(readFileSync(join(dirname(main), "..", "src", "commonWords.json"), "utf8"));
writeFileSync(out, words.join("\n") + "\n");
console.log(`${words.length} English words by frequency -> ${out}`);
