// emscripten 3.1.6 writes its node support for CommonJS; an ES module has neither require nor
// __dirname, so they are made here from the module's own URL. The driver reads replay.wasm.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname } from "node:path";
import { fileURLToPath } from "node:url";
const require = createRequire(import.meta.url);
const __dirname = dirname(fileURLToPath(import.meta.url));
