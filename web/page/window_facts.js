// What the page's script needs of the window besides its HTML, in each language the page shows:
// { en: { caption, width, height, firstFocus, plotDescription, listText }, fa: ... }, which the
// page's build wrote into the page as JSON.
export default JSON.parse(document.getElementById('window-facts').textContent);
