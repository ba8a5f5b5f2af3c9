// Opens the rendered guide in Debian's chromium, headless, at a desktop and
// a phone width, and fails on what a reader would meet broken there: a
// formula KaTeX did not typeset, a picture or font that does not load, a
// request that leaves the page's own server, a link to an anchor the page
// does not have, a section the contents do not link to, a picture without
// a caption (the italic paragraph right under it), and a display formula
// or table wider than the column. With SHOT_DIR it also saves the whole
// page at each width there.
// Usage: NODE_PATH=... node check_guide_page.js URL [SHOT_DIR]
'use strict';
const puppeteer = require('puppeteer-core');

const url = process.argv[2];
const shotDir = process.argv[3];
const widths = [1000, 400];

// Runs in the page: every fault found there, as text.
function pageFaults() {
    const faults = [];
    const main = document.querySelector('main');
    const style = getComputedStyle(main);
    const column = main.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    const brief = (text) => text.replace(/\s+/g, ' ').trim().slice(0, 70);
    // The width of what an element's contents draw, overflow included.
    const drawnWidth = (element) => {
        const range = document.createRange();
        range.selectNodeContents(element);
        return range.getBoundingClientRect().width;
    };
    const tex = (math) => {
        const annotation = math.querySelector('annotation');
        return brief(annotation ? annotation.textContent : math.textContent);
    };

    for (const math of document.querySelectorAll('span.math')) {
        if (!math.querySelector('.katex'))
            faults.push(`formula not typeset: ${tex(math)}`);
    }
    // Dollars left in the text are a formula the renderer did not take for one.
    const walker = document.createTreeWalker(main, NodeFilter.SHOW_TEXT);
    for (let text = walker.nextNode(); text; text = walker.nextNode()) {
        if (text.data.includes('$') && !text.parentElement.closest('code, pre, .katex'))
            faults.push(`formula not typeset: ${brief(text.data)}`);
    }
    for (const image of document.images) {
        if (!image.complete || image.naturalWidth === 0)
            faults.push(`picture does not load: ${image.getAttribute('src')}`);
        const block = image.closest('p');
        const caption = block && block.nextElementSibling;
        const emphasis = caption && caption.tagName === 'P' && caption.children.length === 1 &&
                         caption.firstElementChild.tagName === 'EM' ? caption.firstElementChild : null;
        if (!emphasis || emphasis.textContent.trim() === '' ||
            emphasis.textContent.trim() !== caption.textContent.trim())
            faults.push(`picture without a caption (an italic paragraph under it): ${image.getAttribute('src')}`);
    }
    const linked = new Set();
    for (const link of document.querySelectorAll('a[href^="#"]')) {
        const id = decodeURIComponent(link.getAttribute('href').slice(1));
        linked.add(id);
        if (!document.getElementById(id))
            faults.push(`link to a missing anchor: #${id} ("${brief(link.textContent)}")`);
    }
    for (const heading of document.querySelectorAll('h2')) {
        if (!linked.has(heading.id))
            faults.push(`section not linked from the contents: ${brief(heading.textContent)}`);
    }
    let widest = 0;
    for (const display of document.querySelectorAll('.katex-display')) {
        const width = drawnWidth(display.querySelector('.katex-html') || display);
        widest = Math.max(widest, width);
        if (width > column + 1)
            faults.push(`display formula ${Math.round(width)} px wide in a ${Math.round(column)}-px column: ` +
                        tex(display));
    }
    for (const table of document.querySelectorAll('table')) {
        const width = Math.max(table.scrollWidth, table.getBoundingClientRect().width, drawnWidth(table));
        if (width > column + 1)
            faults.push(`table ${Math.round(width)} px wide in a ${Math.round(column)}-px column: ` +
                        brief(table.rows[0] ? table.rows[0].textContent : ''));
    }
    return {column, widest, faults,
            counts: {formulas: document.querySelectorAll('span.math').length,
                     displays: document.querySelectorAll('.katex-display').length,
                     pictures: document.images.length,
                     links: document.querySelectorAll('a[href^="#"]').length,
                     tables: document.querySelectorAll('table').length}};
}

async function checkAt(browser, width) {
    const page = await browser.newPage();
    const faults = [];
    const origin = new URL(url).origin;
    page.on('request', (request) => {
        if (!request.url().startsWith(origin) && !request.url().startsWith('data:'))
            faults.push(`request outside the page's server: ${request.url()}`);
    });
    page.on('response', (response) => {
        if (response.status() >= 400)
            faults.push(`${response.status()} for ${response.url().slice(origin.length)}`);
    });
    page.on('pageerror', (error) => faults.push(`script error: ${error.message}`));
    await page.setViewport({width, height: 900});
    await page.goto(url, {waitUntil: 'networkidle0', timeout: 30000});
    await page.evaluate(() => document.fonts.ready);
    const fontFaults = await page.evaluate(
        () => [...document.fonts].filter((f) => f.status === 'error').map((f) => `font does not load: ${f.family}`));
    const found = await page.evaluate(pageFaults);
    if (shotDir)
        await page.screenshot({path: `${shotDir}/guide-${width}.png`, fullPage: true});
    await page.close();
    return {column: found.column, widest: found.widest, counts: found.counts, faults: [...faults, ...fontFaults, ...found.faults]};
}

(async () => {
    const browser = await puppeteer.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--font-render-hinting=none'],
    });
    let failed = 0;
    try {
        for (const width of widths) {
            const result = await checkAt(browser, width);
            for (const fault of result.faults)
                console.log(`${width} px: ${fault}`);
            failed += result.faults.length;
            const c = result.counts;
            console.log(`${width} px (a ${Math.round(result.column)}-px column): ${c.formulas} formulas ` +
                        `(${c.displays} displayed), ${c.pictures} pictures, ${c.links} links to anchors, ` +
                        `${c.tables} tables, the widest display formula ${Math.round(result.widest)} px; ` +
                        `${result.faults.length} faults`);
        }
    } finally {
        await browser.close();
    }
    process.exit(failed ? 1 : 0);
})().catch((error) => {
    console.log(`check_guide_page: ${error.message}`);
    process.exit(1);
});
