// Writes the Finnish word forms of the pinned cspell dictionary, one per line,
// sorted by code unit so that the output does not depend on the trie's order.
// Entries starting with "~" are the dictionary's case-folded duplicates.
import { readFileSync, writeFileSync } from "node:fs";
import { gunzipSync } from "node:zlib";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { importTrie, iteratorTrieWords } from "cspell-trie-lib";

const require = createRequire(import.meta.url);
const out = process.argv[2];
if (!out) {
  console.error("usage: extract-forms.mjs OUTPUT");
  process.exit(2);
}
const extPath = require.resolve("@cspell/dict-fi-fi/cspell-ext.json");
const triePath = join(dirname(extPath), "dict", "fi-fi.trie.gz");
const text = gunzipSync(readFileSync(triePath)).toString("utf8");
const root = importTrie(text.split("\n"));
const words = [];
for (const word of iteratorTrieWords(root)) {
  if (!word.startsWith("~")) words.push(word);
}
const encoded = words.map((w) => Buffer.from(w, "utf8"));
encoded.sort(Buffer.compare);
const lines = [];
for (let i = 0; i < encoded.length; i++) {
  if (i > 0 && Buffer.compare(encoded[i - 1], encoded[i]) === 0) continue;
  lines.push(encoded[i].toString("utf8"));
}
writeFileSync(out, lines.join("\n") + "\n");
console.log(`${lines.length} word forms -> ${out}`);
