# Writes the design examples of the page, the requests of a golden test file (one JSON object a
# line), as the script that defines them: const tarvelDesignExamples = [<line>, ...];
# Usage: cmake -DINPUT=<file.jsonl> -DOUTPUT=<file.js> -P embed_examples.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${INPUT} requests)
string(STRIP "${requests}" requests)
string(REPLACE "\n" ",\n" requests "${requests}")
file(WRITE ${OUTPUT} "// The design examples: the requests of tests/golden/design_examples.jsonl, embedded when the
// page is built.
\"use strict\";

const tarvelDesignExamples = [
${requests}
];
")
