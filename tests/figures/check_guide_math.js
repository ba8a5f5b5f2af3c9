// Every formula of the guide typesets: inline $...$ and display $$...$$
// (on a line of its own, or $$ alone above and below), outside fenced code,
// each rendered by KaTeX, which stops at the first thing it cannot parse.
// Usage: NODE_PATH=/usr/share/nodejs node check_guide_math.js SOURCE_DIR [GUIDE]
'use strict';
const fs = require('fs');
const path = require('path');
const katex = require('katex');

const source = process.argv[2];
const guide = process.argv[3] || path.join(source, 'docs/how-it-works.md');

// Each formula with the line it starts on; fenced code and inline code spans
// are not math.
function formulas(text) {
    const found = [];
    const lines = text.split('\n');
    let fenced = false;
    for (let n = 0; n < lines.length; ++n) {
        const line = lines[n];
        if (line.trim().startsWith('```')) {
            fenced = !fenced;
            continue;
        }
        if (fenced)
            continue;
        const one = /^\s*\$\$(.+)\$\$\s*$/.exec(line);
        if (one) {
            found.push({line: n + 1, tex: one[1], display: true});
            continue;
        }
        if (line.trim() === '$$') {
            const body = [];
            const start = n + 1;
            for (++n; n < lines.length && lines[n].trim() !== '$$'; ++n)
                body.push(lines[n]);
            found.push({line: start, tex: body.join('\n'), display: true});
            continue;
        }
        const prose = line.replace(/`[^`]*`/g, '');
        for (const m of prose.matchAll(/\$([^$]+)\$/g))
            found.push({line: n + 1, tex: m[1], display: false});
    }
    return found;
}

let failed = 0;
const all = formulas(fs.readFileSync(guide, 'utf8'));
for (const f of all) {
    try {
        katex.renderToString(f.tex, {displayMode: f.display, throwOnError: true, strict: 'ignore'});
    } catch (error) {
        console.log(`${path.basename(guide)}:${f.line}: ${error.message}`);
        ++failed;
    }
}
if (failed)
    process.exit(1);
console.log(`${all.length} formulas, each typeset`);
