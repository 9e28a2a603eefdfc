// node replay.mjs: tarvel-replay's protocol over the WebAssembly core. Reads JSON Lines on
// standard input and writes one answer line per input line, as tarvel-replay does: a line ends at
// a line feed, one carriage return before it is dropped, a last line without a line feed still
// counts, and the bytes of a line reach the core unchanged. Takes no arguments.
if (process.argv.length > 2) {
  process.stderr.write("usage: node replay.mjs < requests.jsonl (takes no arguments)\n");
  process.exit(2);
}

const core = await Module({ wasmBinary: readFileSync(new URL("replay.wasm", import.meta.url)) });
const newline = Buffer.from("\n");

function answer(bytes) {
  let size = bytes.length;
  if (size > 0 && bytes[size - 1] === 0x0d) size -= 1;
  const at = core._tarvel_line_buffer(size);  // may grow the memory, which replaces HEAPU8
  core.HEAPU8.set(bytes.subarray(0, size), at);
  const result = core._tarvel_replay_line();
  // Copied out at once: the next call may move the core's memory.
  return Buffer.from(core.HEAPU8.subarray(result, result + core._tarvel_answer_size()));
}

// The start of a line whose end has not arrived yet, chunk by chunk.
let pending = [];
for await (const chunk of process.stdin) {
  const out = [];
  let start = 0;
  for (let end = chunk.indexOf(0x0a); end >= 0; end = chunk.indexOf(0x0a, start)) {
    let line = chunk.subarray(start, end);
    if (pending.length > 0) {
      line = Buffer.concat([...pending, line]);
      pending = [];
    }
    out.push(answer(line), newline);
    start = end + 1;
  }
  if (start < chunk.length) pending.push(chunk.subarray(start));
  if (out.length > 0) process.stdout.write(Buffer.concat(out));
}
if (pending.length > 0) {
  process.stdout.write(Buffer.concat([answer(Buffer.concat(pending)), newline]));
}
