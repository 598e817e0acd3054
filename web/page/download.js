// Hands the user a file made in the page, under the given name, as the browser downloads files.

export function saveFile(blob, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  link.click();
  // The browser reads the file after the click returns.
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}
