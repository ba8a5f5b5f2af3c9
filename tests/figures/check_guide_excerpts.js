// Every code excerpt of the guide stands in the file it names: a fenced
// block opened with ```cpp whose first line is "// PATH" (from the source
// root) and whose other lines stand verbatim and one after the other in
// that file, a uniform leading indentation removed or not.
// Usage: node check_guide_excerpts.js SOURCE_DIR [GUIDE]
'use strict';
const fs = require('fs');
const path = require('path');

const source = process.argv[2];
const guide = process.argv[3] || path.join(source, 'docs/how-it-works.md');

function excerpts(text) {
    const found = [];
    const lines = text.split('\n');
    for (let n = 0; n < lines.length; ++n) {
        if (lines[n].trim() !== '```cpp')
            continue;
        const start = n + 1;
        const body = [];
        for (++n; n < lines.length && lines[n].trim() !== '```'; ++n)
            body.push(lines[n]);
        found.push({line: start, name: body[0] || '', body: body.slice(1)});
    }
    return found;
}

// Whether the excerpt's lines stand at `at`, all shifted by one indentation.
function standsAt(fileLines, body, at) {
    const first = fileLines[at];
    if (!first.endsWith(body[0]))
        return false;
    const indent = first.slice(0, first.length - body[0].length);
    if (indent.trim() !== '')
        return false;
    return body.every((line, k) => {
        const fileLine = fileLines[at + k];
        return fileLine !== undefined &&
               (line === '' ? fileLine.trim() === '' : fileLine === indent + line);
    });
}

let failed = 0;
const all = excerpts(fs.readFileSync(guide, 'utf8'));
for (const e of all) {
    const match = /^\/\/ (\S+)$/.exec(e.name);
    let problem = null;
    if (!match)
        problem = 'its first line does not name a file as "// PATH"';
    else if (e.body.length === 0)
        problem = 'it has no code';
    else if (!fs.existsSync(path.join(source, match[1])))
        problem = `${match[1]} does not exist`;
    else {
        const fileLines = fs.readFileSync(path.join(source, match[1]), 'utf8').split('\n');
        if (!fileLines.some((_, at) => standsAt(fileLines, e.body, at)))
            problem = `its lines do not stand in ${match[1]} as quoted`;
    }
    if (problem) {
        console.log(`${path.basename(guide)}:${e.line}: code excerpt: ${problem}`);
        ++failed;
    }
}
if (all.length === 0) {
    console.log(`${path.basename(guide)} has no code excerpts`);
    failed = 1;
}
if (failed)
    process.exit(1);
console.log(`${all.length} code excerpts, each as it stands in its file`);
