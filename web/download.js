// Hands the user a file made in the page, under the given name, as the browser downloads files.

const Download = {
  save(blob, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.click();
    // The browser reads the file after the click returns.
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  },
};
