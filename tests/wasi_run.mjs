// Runs a WebAssembly program (a test, or a tool of the build) under Node's WASI with the
// current folder, the file system by absolute paths and the program's arguments, and exits
// with its status.
import { readFile } from 'node:fs/promises';
import { WASI } from 'node:wasi';
import process from 'node:process';

const [program, ...args] = process.argv.slice(2);
const wasi = new WASI({
    version: 'preview1',
    args: [program, ...args],
    env: { ...process.env },
    preopens: { '.': '.', '/': '/' },
    returnOnExit: true,
});
const module = await WebAssembly.compile(await readFile(program));
const instance = await WebAssembly.instantiate(module, wasi.getImportObject());
process.exitCode = wasi.start(instance);
